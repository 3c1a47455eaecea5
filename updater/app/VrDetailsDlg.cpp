#include "updater/app/VrDetailsDlg.h"
