// The dialogs the view's commands open, each behind one function so that
// the view's command handlers stay thin. Every function runs its dialog
// modally over `parent` on copies and writes the values back only on OK;
// it returns true when the user pressed OK (and the values changed hands),
// false on Cancel or when the dialog could not be shown.
#pragma once

#include <memory>

namespace afx {
class CWnd;
}
class CBrivenParameters;
class CFileNaming;
class CListProperties;
class OverwriteQuestion;
struct DocumentSettings;

// Conversion > Parameters: the conversion parameters; the header
// conversion switch decides which controls are enabled.
bool RunParametersDialog(afx::CWnd* parent, CBrivenParameters& parameters, bool header_conversion);

// Briven > Properties: the document's "Settings" section.
bool RunProgramPropertiesDialog(afx::CWnd* parent, DocumentSettings& settings);

// View > Properties: the settings of the log, instrument and output lists.
bool RunListPropertiesDialog(afx::CWnd* parent, CListProperties& log_list, CListProperties& instrument_list,
                             CListProperties& output_list);

// Conversion > File Naming: the page shown first (0 instrument conversion,
// 1 header conversion) and the two namings.
bool RunFileNamingDialog(afx::CWnd* parent, int& page, CFileNaming& instrument_naming, CFileNaming& header_naming);

// The question asked before an existing output is replaced in an
// interactive run, as a dialog over `parent`; null when there is none,
// and the document then asks through a message box.
std::unique_ptr<OverwriteQuestion> CreateOverwriteDialog(afx::CWnd* parent);

// Help: the topic of a help context in the program's help book (0: its
// contents). False when the book or the topic is missing.
bool ShowHelpTopic(afx::CWnd* parent, unsigned long context);
