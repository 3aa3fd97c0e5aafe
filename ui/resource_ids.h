#pragma once

// Resource ids of the program file.  Id 1 makes the icon the file's icon.
#define IDI_PROGRAM 1
