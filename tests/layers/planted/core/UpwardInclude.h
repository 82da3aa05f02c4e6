#pragma once

// An include that runs back up the layers, which the check must refuse.
#include "app/TVeskReports.h"
