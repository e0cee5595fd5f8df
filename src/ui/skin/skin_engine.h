#pragma once
// Window decoration. AttachSkin picks one of the sixteen carried skin resources, keeps a copy with
// the colour adjustments, and applies it to the whole application, so every window opened later
// carries the same look. Where the carried engine library is mapped and exports "SkinH_AttachRes",
// that export is called too; where the looked-up address is 0 the call is skipped.

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/skin/colour_shift.h"

class QWidget;

namespace hosting::skin {

class MemoryModule;

// Calls the engine export at `address` as SkinH_AttachRes(data, size, password, hue, saturation,
// brightness). The default runs it where this process can run the engine's code, else does nothing.
using EngineCall = std::function<void(std::uint32_t address, const QByteArray& skin,
                                      const std::string& password, const ColourShift& shift)>;
void CallAttachRes(std::uint32_t address, const QByteArray& skin, const std::string& password,
                   const ColourShift& shift);

class SkinEngine {
 public:
  explicit SkinEngine(const MemoryModule& module, EngineCall call = CallAttachRes);

  // `number` 1-8 picks the resource of set A when `setSwitch` is 1, else of set B; any other number
  // keeps the previous resource. The shadow arguments are accepted and have no effect. Omitted
  // adjustments count as 0. Needs a QApplication.
  void Attach(int number, QWidget* window, bool shadow, int setSwitch,
              std::optional<int> shadowSize, std::optional<std::uint32_t> shadowColour,
              std::optional<int> hue, std::optional<int> saturation, std::optional<int> brightness);

  // The copy of the resource attached last; empty before the first valid pick.
  [[nodiscard]] const QByteArray& Skin() const { return skin_; }
  [[nodiscard]] ColourShift Shift() const { return shift_; }

 private:
  const MemoryModule& module_;
  EngineCall call_;
  QByteArray skin_;
  std::string password_;  // the engine's skin password; our resources need none
  ColourShift shift_;
};

// The process-wide engine library object. Start-up maps the carried image into it.
MemoryModule& SkinEngineModule();
// Maps the carried engine image into SkinEngineModule(). Our builds carry no engine image, so the
// base stays 0 and our own theming does the work.
void LoadSkinEngine();
// AttachSkin on the process-wide engine (see SkinEngine::Attach). Call on the GUI thread.
void AttachSkin(int number, QWidget* window, bool shadow, int setSwitch,
                std::optional<int> shadowSize, std::optional<std::uint32_t> shadowColour,
                std::optional<int> hue, std::optional<int> saturation,
                std::optional<int> brightness);

}  // namespace hosting::skin
