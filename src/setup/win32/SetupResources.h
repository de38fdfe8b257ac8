#pragma once
// Identifiers of Setup's own resources (res/Setup.rc).
namespace sektra {

enum SetupDialogId {
    kMenuDialog = 101,
    kUninstallDialog = 103,
    kAgreementDialog = 104,
    kFolderDialog = 105,
    kInstallDialog = 106,
};

constexpr int kSetupIcon = 102;

enum SetupControlId {
    kBrowseButton = 1001,
    kTextEdit = 1008,        // the agreement text, and the folder edit
    kFirstRadio = 1021,      // install / do not agree
    kSecondRadio = 1022,     // remove / agree
    kStatusLine = 1023,
    kProgressBar = 1024,
    kAgreementCancel = 1026,
    kAgreementOk = 1027,
    kFolderCancel = 1029,
    kFolderOk = 1030,
};

// Steps of the install and removal dialogs, wParam = the step number.
constexpr unsigned kStepMessage = 0x400 + 105;  // WM_USER + 105

enum SetupStringId {
    kTextInitializeError = 1,
    kTextNotNt = 2,
    kTextTooOld = 3,
    kTextNotJapanese = 4,
    kTextNotAdministrator = 5,
    kTextBatchFailed = 6,
    kTextBatchFailedTitle = 7,
    kTextRemovedTitle = 8,
    kTextRemoved = 9,
    kTextRemoveStepFirst = 10,  // 10 .. 17: start and end of the four removal steps
    kTextCancelTitle = 20,
    kTextCancelQuestion = 21,
    kTextCreateFolderTitle = 22,
    kTextCreateFolderQuestion = 23,
    kTextCreateFolderFailedTitle = 24,
    kTextCreateFolderFailed = 25,
    kTextErrorTitle = 26,
    kTextSettingsNotSaved = 32,
    kTextInstallStepFirst = 33,  // 33 .. 40: start and end of the four install steps
    kTextInstalledTitle = 41,
    kTextInstalled = 42,
};

}  // namespace sektra
