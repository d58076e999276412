// Everything a C++ client or server of the OPC HDA interfaces includes.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "opc/opccomn.h"
#include "opc/opchda.h"
#include "opc/opc_constants.h"
