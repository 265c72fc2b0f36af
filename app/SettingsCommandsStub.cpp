// Stand-ins for the settings dialogs until they are built: every command
// is answered as if the user had pressed Cancel, so nothing changes.
#include "app/SettingsCommands.h"

#include "core/conversion/OverwriteQuestion.h"

bool RunParametersDialog(afx::CWnd*, CBrivenParameters&, bool) { return false; }

bool RunProgramPropertiesDialog(afx::CWnd*, DocumentSettings&) { return false; }

bool RunListPropertiesDialog(afx::CWnd*, CListProperties&, CListProperties&, CListProperties&) { return false; }

bool RunFileNamingDialog(afx::CWnd*, int&, CFileNaming&, CFileNaming&) { return false; }

std::unique_ptr<OverwriteQuestion> CreateOverwriteDialog(afx::CWnd*) { return nullptr; }

bool ShowHelpTopic(afx::CWnd*, unsigned long) { return false; }
