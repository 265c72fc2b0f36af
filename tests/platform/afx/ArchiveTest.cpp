#include "platform/afx/Archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace afx::test {
namespace {

using Bytes = std::vector<BYTE>;

Bytes Stored(const std::string& text) {
  Bytes bytes;
  CArchive ar(bytes, CArchive::store);
  ar << text;
  return bytes;
}

TEST(ArchiveTest, NumbersAreLittleEndianInWriteOrder) {
  Bytes bytes;
  {
    CArchive ar(bytes, CArchive::store);
    ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<DWORD>(0xDEADBEEF)
       << static_cast<LONG>(-2);
  }
  EXPECT_EQ(bytes, (Bytes{0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE, 0xFE, 0xFF, 0xFF, 0xFF}));
  CArchive ar(bytes, CArchive::load);
  BYTE b = 0;
  WORD w = 0;
  DWORD d = 0;
  LONG l = 0;
  ar >> b >> w >> d >> l;
  EXPECT_EQ(b, 0xAB);
  EXPECT_EQ(w, 0x1234);
  EXPECT_EQ(d, 0xDEADBEEFu);
  EXPECT_EQ(l, -2);
}

TEST(ArchiveTest, TextPrefixIsTheShortestOfTheThreeForms) {
  struct Case {
    std::size_t length;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0x00}},
      {0xFE, {0xFE}},
      {0xFF, {0xFF, 0xFF, 0x00}},
      {0x1234, {0xFF, 0x34, 0x12}},
      {0xFFFE, {0xFF, 0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text(c.length, 'x');
    Bytes bytes = Stored(text);
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix);
    CArchive ar(bytes, CArchive::load);
    std::string read = "old";
    ar >> read;
    EXPECT_EQ(read, text);
  }
}

TEST(ArchiveTest, LongerPrefixFormsAreReadForShortTexts) {
  // Other writers may use a wider prefix than needed.
  const Bytes wide16{0xFF, 0x02, 0x00, 'h', 'i'};
  const Bytes wide32{0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'h', 'i'};
  for (Bytes bytes : {wide16, wide32}) {
    CArchive ar(bytes, CArchive::load);
    std::string read;
    ar >> read;
    EXPECT_EQ(read, "hi");
  }
}

TEST(ArchiveTest, DataThatEndsInsideAValueThrowsEndOfFile) {
  const Bytes cases[] = {
      {},                                      // no prefix at all
      {0x05, 'a', 'b'},                        // text shorter than its length
      {0xFF, 0x10},                            // cut 16-bit length
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},  // 4 GiB claimed, one byte there
  };
  for (Bytes bytes : cases) {
    SCOPED_TRACE(bytes.size());
    CArchive ar(bytes, CArchive::load);
    std::string text;
    try {
      ar >> text;
      ADD_FAILURE() << "read past the end";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
  }
  Bytes three{1, 2, 3};
  CArchive ar(three, CArchive::load);
  DWORD d = 0;
  EXPECT_THROW(ar >> d, CArchiveException);
}

TEST(ArchiveTest, WrongDirectionIsRefused) {
  Bytes bytes{1, 2, 3, 4};
  CArchive loading(bytes, CArchive::load);
  try {
    loading << static_cast<DWORD>(1);
    ADD_FAILURE();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
  }
  Bytes out;
  CArchive storing(out, CArchive::store);
  DWORD d = 0;
  try {
    storing >> d;
    ADD_FAILURE();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
  }
}

TEST(ArchiveTest, FileArchiveRoundTripsAcrossItsBuffer) {
  testsupport::TempFolder folder;
  const std::string path = folder / "state.bin";
  const std::string big(70000, 'q');  // larger than the buffer: written through
  {
    sys::CFile file;
    ASSERT_TRUE(file.Open(path, sys::CFile::modeCreate | sys::CFile::modeWrite));
    CArchive ar(&file, CArchive::store, 64);
    for (DWORD i = 0; i < 100; ++i) ar << i;
    ar << big << std::string("end");
    ar.Close();
    file.Close();
  }
  EXPECT_EQ(testsupport::ReadFile(path).size(), 400u + 7u + big.size() + 4u);
  sys::CFile file;
  ASSERT_TRUE(file.Open(path, sys::CFile::modeRead));
  CArchive ar(&file, CArchive::load, 64);
  for (DWORD i = 0; i < 100; ++i) {
    DWORD read = 0;
    ar >> read;
    ASSERT_EQ(read, i);
  }
  std::string text;
  ar >> text;
  EXPECT_EQ(text, big);
  ar >> text;
  EXPECT_EQ(text, "end");
  BYTE past = 0;
  EXPECT_THROW(ar >> past, CArchiveException);
}

}  // namespace
}  // namespace afx::test
