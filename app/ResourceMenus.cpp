// Menu 128 and accelerator table 128 of the main window.
#include "app/AppResources.h"

namespace app {
namespace {

constexpr std::uint16_t kKeyReturn = 0x0D;
constexpr std::uint16_t kKeyF1 = 0x70;

MenuItemResource Item(const std::string& text, unsigned id) { return {text, id, {}}; }
MenuItemResource Separator() { return {}; }
MenuItemResource Popup(const std::string& text, std::vector<MenuItemResource> items) {
  return {text, 0, std::move(items)};
}

MenuResource MainMenu() {
  return {kMainResource,
          {
              Popup("&Briven", {Item("&Properties...", kCmdDocumentProperties), Separator(),
                                Item("E&xit", kCmdAppExit)}),
              Popup("&Conversion", {Item("&Parameters...\tCtrl+P", kCmdParameters),
                                    Item("&File Naming...\tCtrl+F", kCmdFileNaming), Separator(),
                                    Item("&Header\tCtrl+H", kCmdHeader), Item("&Convert\tCtrl+C", kCmdConvert)}),
              Popup("&View", {Item("Pr&operties...\tCtrl+O", kCmdViewProperties),
                              Item("&Refresh\tCtrl+R", kCmdRefresh), Item("Conversion &Log", kCmdConversionLog),
                              Separator(), Item("&Toolbar", kCmdViewToolbar),
                              Item("&Status Bar", kCmdViewStatusBar)}),
              Popup("&Help", {Item("&Help Topics\tF1", kCmdHelpFinder), Separator(),
                              Item("&About Briven...", kCmdAppAbout)}),
          }};
}

AcceleratorResource Control(char letter, unsigned command) {
  return {static_cast<std::uint8_t>(kAccelVirtKey | kAccelControl), static_cast<std::uint16_t>(letter),
          static_cast<std::uint16_t>(command)};
}

AcceleratorTable MainAccelerators() {
  return {kMainResource,
          {
              Control('C', kCmdConvert),
              Control('F', kCmdFileNaming),
              Control('H', kCmdHeader),
              Control('O', kCmdViewProperties),
              Control('P', kCmdParameters),
              Control('R', kCmdRefresh),
              {kAccelVirtKey, kKeyF1, static_cast<std::uint16_t>(kCmdHelpFinder)},
              {static_cast<std::uint8_t>(kAccelVirtKey | kAccelShift), kKeyF1,
               static_cast<std::uint16_t>(kCmdContextHelp)},
              {kAccelVirtKey, kKeyReturn, static_cast<std::uint16_t>(kCmdEnterConvert)},
          }};
}

}  // namespace

const MenuResource* FindMenu(int id) {
  static const MenuResource menu = MainMenu();
  return id == menu.id ? &menu : nullptr;
}

const AcceleratorTable* FindAcceleratorTable(int id) {
  static const AcceleratorTable table = MainAccelerators();
  return id == table.id ? &table : nullptr;
}

}  // namespace app
