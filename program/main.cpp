#include "app/QxApplication.h"

wxIMPLEMENT_APP(QxApplication);
