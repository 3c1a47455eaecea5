#include "updater/app/VrUpdaterApp.h"
