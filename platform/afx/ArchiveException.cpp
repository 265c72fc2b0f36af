#include "platform/afx/ArchiveException.h"

namespace afx {

namespace {

const char* CauseText(int cause) {
  switch (cause) {
    case CArchiveException::none: return "No archive error.";
    case CArchiveException::readOnly: return "The archive is open for loading, not for storing.";
    case CArchiveException::endOfFile: return "The archive ends inside a value.";
    case CArchiveException::writeOnly: return "The archive is open for storing, not for loading.";
    case CArchiveException::badIndex: return "The archive holds a count or length that cannot be right.";
    case CArchiveException::badClass: return "The archive names a class of the wrong kind.";
    case CArchiveException::badSchema: return "The archive holds a version this program does not know.";
    default: return "The archive cannot be read or written.";
  }
}

}  // namespace

CArchiveException::CArchiveException(int cause, std::string what)
    : m_cause(cause), m_strWhat(what.empty() ? CauseText(cause) : std::move(what)) {}

}  // namespace afx
