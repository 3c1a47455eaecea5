// Resource ids of Quell.dll.
#pragma once

#define IDD_QUELL_SEARCH 100
#define IDC_QUELL_SEARCH_CANCEL 1000
#define IDC_QUELL_SEARCH_PROGRESS 1001
#define IDC_QUELL_SEARCH_TEXT 1003
