#pragma once
// A member's phone against the client on screen: it reads the hosting code drawn in a picture box
// and confirms the scan on the sandbox's scan page.

#include <string>

namespace hosting::ui {
class PictureBox;
}  // namespace hosting::ui

namespace hosting::e2e {

// What a phone's camera reads from the picture box as it is drawn on screen; empty when unreadable.
std::string DecodeShownCode(ui::PictureBox& picture);
// Opens the scan page the code leads to and presses its confirm button; the page's answer, or
// empty when the address is not a scan page or the sandbox does not answer.
std::string ConfirmScan(const std::string& scanUrl);
// The code token of a scan address ("...?code=TOKEN"); empty when it has none.
std::string ScanToken(const std::string& scanUrl);

}  // namespace hosting::e2e
