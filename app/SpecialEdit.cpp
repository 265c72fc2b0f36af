#include "app/SpecialEdit.h"

#include "platform/ui/Messages.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

namespace {

constexpr unsigned kBackspace = 0x08;

// Only the ASCII letters and digits count: the fields filtered here end up
// in file names and numbers, where nothing else is meant.
bool IsLetter(unsigned c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned c) { return c >= '0' && c <= '9'; }

}  // namespace

BEGIN_MESSAGE_MAP(CSpecialEdit, afx::CEdit)
  ON_MESSAGE(::ui::WM_CHAR, OnCharMessage)
END_MESSAGE_MAP()

bool CSpecialEdit::FilterChar(const Filter& filter, unsigned typed, unsigned& entered) {
  entered = typed;
  if (typed == kBackspace) return true;
  if (filter.signs_allowed && (typed == '.' || typed == '+' || typed == '-')) return true;
  if (!IsLetter(typed) && !IsDigit(typed)) return false;
  if (filter.letters_only && !IsLetter(typed)) return false;
  if (filter.digits_only && IsLetter(typed)) return false;
  if (filter.upper_case && typed >= 'a' && typed <= 'z') entered = typed - 'a' + 'A';
  return true;
}

afx::LRESULT CSpecialEdit::OnCharMessage(afx::WPARAM wParam, afx::LPARAM lParam) {
  unsigned entered = 0;
  if (!FilterChar(m_filter, static_cast<unsigned>(wParam), entered)) return 0;
  if (entered == wParam) return Default();
  // The changed character goes on with the message's repeat count and flags.
  return DefWindowProc(::ui::WM_CHAR, entered, lParam);
}
