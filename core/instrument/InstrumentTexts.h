// The texts of the instrument load report: line-error messages, the actions
// that follow them, and what an abort or status code adds to the report.
#pragma once

namespace instrument {

const char* LineErrorText(int code);   // "Unknown error.\r\n" for any other code
const char* ActionText(int code);      // "\t\t> Unknown action.\r\n" for any other code
// The text a code appends to its report message; empty for the file-error
// codes (opening and reading), whose text depends on the file exception.
const char* AbortText(int code);

}  // namespace instrument
