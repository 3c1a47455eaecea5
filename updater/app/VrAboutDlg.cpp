#include "updater/app/VrAboutDlg.h"
