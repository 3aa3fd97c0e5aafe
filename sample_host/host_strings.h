#pragma once

// String table ids of the interface texts, in the order of the table.
#define IDS_FIRST_TEXT 1
#define HOST_TEXT_COUNT 14

// Ids of the labels that show them: IDC_FIRST_TEXT_LABEL + 0 .. 13.
#define IDC_FIRST_TEXT_LABEL 101
