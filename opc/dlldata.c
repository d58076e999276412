/*
 * The proxy/stub DLL's class factory: one factory for the OPC HDA and OPC Common interfaces.
 * Registration is ours (ps_registration.cpp), so that another vendor's proxy/stub already
 * registered for these interfaces is left in place.
 */
#include <objbase.h>
#include <rpcproxy.h>

#include "opc/opc_constants.h"

EXTERN_PROXY_FILE(opchda)
EXTERN_PROXY_FILE(opccomn)

PROXYFILE_LIST_START
  REFERENCE_PROXY_FILE(opchda),
  REFERENCE_PROXY_FILE(opccomn),
PROXYFILE_LIST_END

static CStdPSFactoryBuffer g_factory = {0, 0, 0, 0};

HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return NdrDllGetClassObject(rclsid, riid, ppv, aProxyFileList, &CLSID_VarnelOpcPSFactory,
                              &g_factory);
}

HRESULT WINAPI DllCanUnloadNow(void) { return NdrDllCanUnloadNow(&g_factory); }

ULONG WINAPI CStdStubBuffer_Release(IRpcStubBuffer* This) {
  return NdrCStdStubBuffer_Release(This, (IPSFactoryBuffer*)&g_factory);
}

/* Hands every interface of the DLL to the registration code. */
void VarnelOpcForEachInterface(void (*visit)(const IID* iid, const char* name,
                                             unsigned long methods, void* context),
                               void* context) {
  for (const ProxyFileInfo* const* file = aProxyFileList; *file; ++file) {
    for (unsigned short i = 0; i < (*file)->TableSize; ++i) {
      const CInterfaceStubHeader* header = &(*file)->pStubVtblList[i]->header;
      visit(header->piid, (*file)->pNamesArray[i], header->DispatchTableCount, context);
    }
  }
}
