#include "ui/skin/skin_engine.h"

#include <span>
#include <utility>

#include "ui/skin/memory_module.h"
#include "ui/skin/native_image.h"
#include "ui/skin/skin_resources.h"
#include "ui/skin/skin_style.h"

namespace hosting::skin {
namespace {

constexpr char kAttachExport[] = "SkinH_AttachRes";

// The engine library image carried inside the program. We carry none: our own theming does the
// engine's work, so the module stays empty.
constexpr std::span<const std::uint8_t> kEngineImage{};

}  // namespace

void CallAttachRes(std::uint32_t address, const QByteArray& skin, const std::string& password,
                   const ColourShift& shift) {
  // 32-bit arguments: only a process that runs the engine's code calls it, and its pointers are
  // 32-bit.
  const auto pointer = [](const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
  };
  CallStdcall6(address, {pointer(skin.constData()), static_cast<std::uint32_t>(skin.size()),
                         pointer(password.c_str()), static_cast<std::uint32_t>(shift.hue),
                         static_cast<std::uint32_t>(shift.saturation),
                         static_cast<std::uint32_t>(shift.brightness)});
}

SkinEngine::SkinEngine(const MemoryModule& module, EngineCall call)
    : module_(module), call_(std::move(call)) {}

void SkinEngine::Attach(int number, QWidget* /*window*/, bool /*shadow*/, int setSwitch,
                        std::optional<int> /*shadowSize*/,
                        std::optional<std::uint32_t> /*shadowColour*/, std::optional<int> hue,
                        std::optional<int> saturation, std::optional<int> brightness) {
  // The whole application is skinned, so the window needs nothing of its own; no shadow is drawn.
  shift_ = ColourShift{hue.value_or(0), saturation.value_or(0), brightness.value_or(0)};
  if (QByteArray picked = SkinResource(setSwitch, number); !picked.isEmpty()) {
    skin_ = std::move(picked);
  }
  if (const std::uint32_t address = module_.GetProc(kAttachExport); address != 0 && call_) {
    call_(address, skin_, password_, shift_);
  }
  if (!skin_.isEmpty()) {
    ApplySkinStyle(MakeSkinStyle(skin_, shift_));
  }
}

MemoryModule& SkinEngineModule() {
  static MemoryModule module;
  return module;
}

void LoadSkinEngine() {
  SkinEngineModule().Load(kEngineImage);
}

void AttachSkin(int number, QWidget* window, bool shadow, int setSwitch,
                std::optional<int> shadowSize, std::optional<std::uint32_t> shadowColour,
                std::optional<int> hue, std::optional<int> saturation,
                std::optional<int> brightness) {
  static SkinEngine engine(SkinEngineModule());
  engine.Attach(number, window, shadow, setSwitch, shadowSize, shadowColour, hue, saturation,
                brightness);
}

}  // namespace hosting::skin
