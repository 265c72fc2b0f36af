// Template and control numbers of the settings dialogs, the file naming
// dialog and the overwrite question. They keep their historic values:
// the help book's context numbers are formed from them (control number
// times 65536 plus the dialog number).
#pragma once

namespace app {

constexpr int kListPropertiesDialog = 134;
constexpr int kParametersDialog = 135;
constexpr int kFileNamingDialog = 143;
constexpr int kAppSettingsDialog = 146;
constexpr int kOverwriteDialog = 148;

// Every settings dialog's Help button.
constexpr int kHelpButton = 1036;

namespace parameters {
constexpr int kSelectRadio = 1018;
constexpr int kSpecifyRadio = 1019;
constexpr int kDelimiterCombo = 1020;
constexpr int kDelimiterEdit = 1021;
constexpr int kExtraHeading = 1035;
constexpr int kPhysicalValues = 1025;
constexpr int kImmersion = 1026;
constexpr int kProcessTimeTags = 1022;
constexpr int kFormatTimeTags = 1023;
constexpr int kFloatTypeCombo = 1032;
constexpr int kPrecisionEdit = 1033;
constexpr int kWidthEdit = 1031;
constexpr int kSuppressStrings = 1034;
constexpr int kHexadecimal = 1024;
constexpr int kFrameCounter = 1029;
constexpr int kCheckSum = 1030;
constexpr int kErrorFrames = 1038;
constexpr int kLimitEdit = 1003;
constexpr int kSubsamplingEdit = 1028;
}  // namespace parameters

namespace appsettings {
constexpr int kSaveSettings = 1047;
constexpr int kOverwritePrompt = 1048;
constexpr int kDismissProgress = 1049;
constexpr int kConversionLog = 1115;
constexpr int kLogFolderEdit = 1117;
constexpr int kLogFolderChooser = 3;
}  // namespace appsettings

namespace overwrite {
constexpr int kQuestionText = 1065;
constexpr int kYes = 1067;
constexpr int kYesToAll = 1063;
constexpr int kNo = 1064;
constexpr int kCancel = 1066;
}  // namespace overwrite

namespace listprops {
constexpr int kSortCombo = 1012;
constexpr int kAscending = 1010;
constexpr int kDescending = 1011;
constexpr int kSortGroup = 1057;
constexpr int kLogFolder = 1014, kLogFilter = 1015, kLogSubfolders = 1013, kLogChooser = 1075;
constexpr int kInstrumentFolder = 1018, kInstrumentFilter = 1019, kInstrumentSubfolders = 1017,
              kInstrumentChooser = 1076;
constexpr int kOutputFolder = 1008, kOutputFilter = 1009, kOutputSubfolders = 1016, kOutputChooser = 1077;
constexpr int kFromPackage = 1070, kFromFiles = 1071;
constexpr int kPackageEdit = 1020, kPackageChooser = 1078;
}  // namespace listprops

namespace naming {
constexpr int kPageCombo = 1044;
constexpr int kConventionGroup = 1057;
constexpr int kUserDefined = 1042;
constexpr int kFileTitles = 1037;
constexpr int kAutoIncrement = 1038;
constexpr int kBaseEdit = 1040;
constexpr int kIncrementEdit = 1041;
constexpr int kIncrementTypeCombo = 1046;
constexpr int kExtensionEdit = 1043;
}  // namespace naming

}  // namespace app
