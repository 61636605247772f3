#pragma once
// <windows.h> for this front end: the W functions called by their own names,
// and the A/W macros that would rename the boundary's methods taken away.

#include <windows.h>

#undef CreateWindow
#undef GetWindowText
#undef GetWindowLong
#undef MessageBox
#undef SendMessage
#undef SetWindowLong
