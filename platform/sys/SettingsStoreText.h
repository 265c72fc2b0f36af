// The settings store's file format: a text a person can read and edit, in
// a stable order (keys by name, values in the order written), in which any
// bytes survive a round trip.
//
//   ; comment
//   "name"=dword:0000002a          values before the first key line belong to the root
//   [Software\Harwendel\Briven]    a key, its path from the root; %HH escapes odd bytes
//   @=sz:"default value"           the unnamed value
//   "Path"=sz:"C:\\Data\n"          strings escape \\ \" \n \r \t \0 and \xHH
//   "Bytes"=hex:00,01,ff
//   "List"=multi:"a","b"
//   "Odd"=hex(7):61,00             a value whose bytes do not fit its type's form
#pragma once

#include <string>
#include <string_view>

#include "platform/sys/SettingsStoreKey.h"

namespace sys {

std::string SerializeSettings(const SettingsKey& root);

// Fills root (which must be empty) from text. On a damaged text returns false
// and tells where and why in error; root then holds what was read before.
// A key or name beyond the limits of SettingsStoreLimits.h is damage.
bool ParseSettings(std::string_view text, SettingsKey& root, std::string& error);

// The pieces of the format, for the profile file format and for tests.
std::string QuoteSettingsText(std::string_view bytes);
// Reads a quoted text at text[pos] (which must be '"'); advances pos past it.
bool UnquoteSettingsText(std::string_view text, std::size_t& pos, std::string& bytes);
// The length of the well-formed UTF-8 sequence at text[pos], 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

}  // namespace sys
