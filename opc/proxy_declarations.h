/*
 * Force-included into the generated proxy C files: mingw's unknwnbase.h declares the IUnknown
 * proxy helpers (exported by rpcrt4) only for C++, but the generated C proxy tables use them.
 */
#include <objbase.h>

HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid,
                                                        void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);
