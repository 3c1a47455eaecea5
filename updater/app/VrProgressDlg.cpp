#include "updater/app/VrProgressDlg.h"
