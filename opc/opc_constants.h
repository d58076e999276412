/*
 * Constants of the OPC HDA and OPC Common standards that the interface definitions do not carry:
 * the category and the server-list class, and the numeric codes of opc_codes.h.
 * Plain C, so that the C API's users can include it too. Values as published.
 */
#ifndef VARNEL_OPC_CONSTANTS_H
#define VARNEL_OPC_CONSTANTS_H

#include <guiddef.h>

#include "opc/opc_codes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* {7DE5B060-E089-11D2-A5E6-000086339399}: the OPC HDA server category (note A5E6). */
extern const GUID CATID_OPCHDAServer10;
/* {13486D51-4821-11D2-A494-3CB306C10000}: the OPC server-list class. */
extern const CLSID CLSID_OpcServerList;
/* The class of this project's proxy/stub DLL. */
extern const CLSID CLSID_VarnelOpcPSFactory;

#define OPC_CATEGORY_DESCRIPTION_HDA10 L"OPC History Data Access Servers Version 1.0"

#ifdef __cplusplus
}
#endif

#endif /* VARNEL_OPC_CONSTANTS_H */
