// Menu 128 and accelerator table 128 of the main window.
#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/Resources.h"

namespace app {
namespace {

using ui::MenuItemTemplate;

constexpr ui::WORD kKeyReturn = 0x0D;
constexpr ui::WORD kKeyF1 = 0x70;

MenuItemTemplate Item(const std::string& text, unsigned id) { return {id, text, ui::MF_STRING, {}}; }
MenuItemTemplate Separator() { return {0, "", ui::MF_SEPARATOR, {}}; }
MenuItemTemplate Popup(const std::string& text, std::vector<MenuItemTemplate> items) {
  return {0, text, ui::MF_POPUP, std::move(items)};
}

std::vector<MenuItemTemplate> MainMenu() {
  return {
      Popup("&Briven", {Item("&Properties...", kCmdDocumentProperties), Separator(), Item("E&xit", kCmdAppExit)}),
      Popup("&Conversion", {Item("&Parameters...\tCtrl+P", kCmdParameters),
                            Item("&File Naming...\tCtrl+F", kCmdFileNaming), Separator(),
                            Item("&Header\tCtrl+H", kCmdHeader), Item("&Convert\tCtrl+C", kCmdConvert)}),
      Popup("&View", {Item("Pr&operties...\tCtrl+O", kCmdViewProperties), Item("&Refresh\tCtrl+R", kCmdRefresh),
                      Item("Conversion &Log", kCmdConversionLog), Separator(), Item("&Toolbar", kCmdViewToolbar),
                      Item("&Status Bar", kCmdViewStatusBar)}),
      Popup("&Help", {Item("&Help Topics\tF1", kCmdHelpFinder), Separator(), Item("&About Briven...", kCmdAppAbout)}),
  };
}

ui::ACCEL Control(char letter, unsigned command) {
  return {static_cast<ui::BYTE>(ui::FVIRTKEY | ui::FCONTROL), static_cast<ui::WORD>(letter),
          static_cast<ui::WORD>(command)};
}

std::vector<ui::ACCEL> MainAccelerators() {
  return {
      Control('C', kCmdConvert),
      Control('F', kCmdFileNaming),
      Control('H', kCmdHeader),
      Control('O', kCmdViewProperties),
      Control('P', kCmdParameters),
      Control('R', kCmdRefresh),
      {ui::FVIRTKEY, kKeyF1, static_cast<ui::WORD>(kCmdHelpFinder)},
      {static_cast<ui::BYTE>(ui::FVIRTKEY | ui::FSHIFT), kKeyF1, static_cast<ui::WORD>(kCmdContextHelp)},
      {ui::FVIRTKEY, kKeyReturn, static_cast<ui::WORD>(kCmdEnterConvert)},
  };
}

}  // namespace

void RegisterMenuResources() {
  ui::RegisterMenuResource(kMainResource, MainMenu());
  ui::RegisterAcceleratorResource(kMainResource, MainAccelerators());
}

}  // namespace app
