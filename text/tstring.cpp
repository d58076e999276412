#include "text/tstring.h"
