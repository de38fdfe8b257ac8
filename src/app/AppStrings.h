#pragma once
// Numbers of the language module's strings that the main window, the Document and the device
// browser show.
namespace sektra {

enum AppString : unsigned {
    kStrColumnItem = 1,
    kStrColumnValue = 2,
    kStrColumnRemark = 3,
    kStrRoot = 4,
    kStrDisks = 5,
    kStrCdRoms = 6,
    kStrInquiry = 7,
    kStrStandardInquiry = 8,
    kStrVpdPage = 9,         // format, one integer: the page
    kStrLogSense = 10,
    kStrLogPage = 11,        // format, one integer
    kStrModeSense = 12,
    kStrModePage = 13,       // format, one integer
    kStrDefectLists = 14,
    kStrPrimaryDefects = 15,
    kStrGrownDefects = 16,
    kStrTests = 17,
    kStrSequentialRead = 18,
    kStrSequentialWrite = 19,
    kStrRandomRead = 20,
    kStrRandomWrite = 21,
    kStrReadBuffer = 22,
    kStrWriteBuffer = 23,
    kStrCacheHit = 24,
    kStrSeek = 25,
    kStrSizeNode = 28,       // format, one integer: size in KB
    kStrOtherSizeNode = 29,
    kStrModel = 30,
    kStrRevision = 31,
    kStrBlocks = 32,
    kStrBlockLength = 33,
    kStrCapacity = 34,
    kStrDefectCount = 35,
    kStrDefectEntry = 36,    // format, one integer: the entry number
    kStrOtherSize = 37,
    kStrVariantFirst = 38,   // 38 to 41: the four range variants
    kStrStandardSeek = 42,
    kStrSettingsCaption = 59,
    kStrEnvironmentTitle = 81,
    kStrNeedNt = 82,
    kStrNeedWindows2000 = 83,
    kStrNeedJapanese = 84,
    kStrNeedAdministrator = 85,
    kStrSettingsMissing = 92,
    kStrProtectedCaption = 105,
    kStrProtectedText = 106,
    kStrChangers = 112,
    kStrAtaIdentify = 113,
    kStrWaitLine1 = 114,
    kStrWaitLine2 = 115,
};

}  // namespace sektra
