// The document base without a control, its run-time classes, and the
// conversion log's line form.
#include <gtest/gtest.h>

#include "core/conversion/BrivenDoc.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "core/telemetry/TelemetryCodes.h"
#include "core/telemetry/TelemetryDocLogLines.h"

namespace {

TEST(TelemetryDocBaseTest, WithoutAControlEveryOperationAnswersItsFailure) {
  CQelTelemetryDoc doc;
  std::string text;
  std::uint32_t count = 7;
  telemetry::FileSettings file;
  EXPECT_EQ(doc.AddFileResource(file), telemetry::kNoControl);
  EXPECT_EQ(doc.RemoveResource("r"), telemetry::kNoControl);
  EXPECT_EQ(doc.AddInstrument("x.cal"), telemetry::kNoControl);
  EXPECT_EQ(doc.AttachInstrument("h", "r", 0), telemetry::kNoControl);
  EXPECT_EQ(doc.GetBytesDiscarded(count, 0), telemetry::kNoControl);
  EXPECT_EQ(doc.GetInstrumentSerialNumber(text, 0), telemetry::kNoControl);
  EXPECT_EQ(doc.ResetBytesDiscarded(0), telemetry::kNoControl);
  EXPECT_EQ(doc.RetrieveFrame(0), telemetry::kNoControl);
  EXPECT_FALSE(doc.ResourceExists(0));
  EXPECT_FALSE(doc.GetInstrumentHeader(text, 0));
  EXPECT_FALSE(doc.GetResourceName(text, 0));
  EXPECT_EQ(doc.GetInstrumentCount(), -1);
  EXPECT_EQ(doc.FindSensor(0, "T", -1), -1);
  EXPECT_EQ(doc.GetSensor(0, 0), nullptr);
  EXPECT_EQ(doc.FindFrameCounterSensor(0), -1);
  std::string message = "Begin\r\n";
  doc.OnTelemetryMessage(message);
  EXPECT_EQ(message, "Begin\r\n");  // no control: left as it is
  doc.LogMessage("nothing happens");
}

TEST(TelemetryDocBaseTest, ControlLifeFollowsTheDocument) {
  CQelTelemetryDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_TRUE(doc.HasTelemControl());
  EXPECT_EQ(doc.GetResourceCount(), 0);
  std::string message = "Begin\r\n\tdetail\r\nEnd\r\n";
  doc.OnTelemetryMessage(message);
  EXPECT_EQ(message.find("> Begin\r\n\tdetail\r\n"), 20u) << message;
  doc.DeleteContents();
  EXPECT_FALSE(doc.HasTelemControl());
  EXPECT_EQ(doc.GetResourceCount(), -1);
}

// What the last pass delivers while the control stops (the end of a
// conversion that finished just before the program ends) is stamped too.
TEST(TelemetryDocBaseTest, MessagesDeliveredWhileTheControlStopsAreStamped) {
  struct CapturingDoc : CQelTelemetryDoc {
    void OnTelemetryMessage(std::string& text) override {
      CQelTelemetryDoc::OnTelemetryMessage(text);
      captured += text;
    }
    std::string captured;
  } doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.LogMessage("Conversion complete.\r\n\tFrames processed: 3\r\n");
  doc.DeleteContents();
  EXPECT_EQ(doc.captured.size(), 22u + 22u + 22u) << doc.captured;
  EXPECT_EQ(doc.captured.substr(20, 24), "> Conversion complete.\r\n") << doc.captured;
  EXPECT_EQ(doc.captured.substr(44), "\tFrames processed: 3\r\n");
}

TEST(LogLinesTest, StampsAllButTabAndEmptyLinesAndKeepsAnUnfinishedLast) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Begin\r\n\ttab\r\nEnd\r\n", "S>Begin\r\n\ttab\r\nS>End\r\n"},
      {"A\r\n\tB\r\n\r\nC", "S>A\r\n\tB\r\n\r\nS>C\r\n"},
      {"", ""},
      {"\r\n", "\r\n"},
      {"one line", "S>one line\r\n"},
  };
  for (const Case& c : cases) {
    std::string out;
    telemetry::StampLogLines(c.text, "S>", out);
    EXPECT_EQ(out, c.expected) << c.text;
  }
  EXPECT_EQ(telemetry::WithFinalLineEnd("x"), "x\r\n");
  EXPECT_EQ(telemetry::WithFinalLineEnd("x\r\n"), "x\r\n");
  EXPECT_EQ(telemetry::WithFinalLineEnd(""), "");
}

TEST(LogLinesTest, StampHasTwoSpacesBetweenDateAndTime) {
  const std::string stamp = telemetry::CurrentLogStamp();
  ASSERT_EQ(stamp.size(), 22u);
  EXPECT_EQ(stamp.substr(10, 2), "  ");
  EXPECT_EQ(stamp.substr(20), "> ");
}

}  // namespace

namespace {

TEST(TelemetryDocBaseTest, DocumentsAreCreatableByClassName) {
  const afx::CRuntimeClass* base = afx::CRuntimeClass::FromName("CQelTelemetryDoc");
  ASSERT_NE(base, nullptr);
  EXPECT_TRUE(base->IsDerivedFrom(RUNTIME_CLASS(afx::CDocument)));
  std::unique_ptr<afx::CObject> doc(afx::CRuntimeClass::CreateObject("CBrivenDoc"));
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CQelTelemetryDoc)));
}

}  // namespace
