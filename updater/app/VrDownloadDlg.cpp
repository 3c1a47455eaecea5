#include "updater/app/VrDownloadDlg.h"
