#pragma once

// Window class and control identifiers of the main window; the end-to-end
// test driver finds the controls through them.
#define KFP_MAIN_WINDOW_CLASS L"KestruneFrenchPatchMain"

#define IDC_LABEL2 1001
#define IDC_TXTFILEPATH 1002
#define IDC_LABEL4 1003
#define IDC_CMDUPDATE 1004
#define IDC_LBLWAIT 1005
