#include "text/tstring.h"

#include <gtest/gtest.h>
