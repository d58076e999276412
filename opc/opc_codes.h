/*
 * Numeric constants of the OPC HDA and OPC Common standards that the interface definitions do not
 * carry: attribute IDs, quality flags and result codes. Plain C without any Windows header, so
 * that portable code (the simulator's value model) can use them too; the result codes need
 * HRESULT where they are used. Values as published.
 */
#ifndef VARNEL_OPC_CODES_H
#define VARNEL_OPC_CODES_H

/* Standard item attribute IDs. Vendor IDs start at 0x80000000. */
#define OPCHDA_DATA_TYPE          0x01
#define OPCHDA_DESCRIPTION        0x02
#define OPCHDA_ENG_UNITS          0x03
#define OPCHDA_STEPPED            0x04
#define OPCHDA_ARCHIVING          0x05
#define OPCHDA_DERIVE_EQUATION    0x06
#define OPCHDA_NODE_NAME          0x07
#define OPCHDA_PROCESS_NAME       0x08
#define OPCHDA_SOURCE_NAME        0x09
#define OPCHDA_SOURCE_TYPE        0x0A
#define OPCHDA_NORMAL_MAXIMUM     0x0B
#define OPCHDA_NORMAL_MINIMUM     0x0C
#define OPCHDA_ITEMID             0x0D
#define OPCHDA_MAX_TIME_INT       0x0E
#define OPCHDA_MIN_TIME_INT       0x0F
#define OPCHDA_EXCEPTION_DEV      0x10
#define OPCHDA_EXCEPTION_DEV_TYPE 0x11
#define OPCHDA_HIGH_ENTRY_LIMIT   0x12
#define OPCHDA_LOW_ENTRY_LIMIT    0x13

/* HDA quality flags: the high 16 bits of a quality; the low 16 bits hold the DA quality. */
#define OPCHDA_EXTRADATA    0x00010000
#define OPCHDA_INTERPOLATED 0x00020000
#define OPCHDA_RAW          0x00040000
#define OPCHDA_CALCULATED   0x00080000
#define OPCHDA_NOBOUND      0x00100000
#define OPCHDA_NODATA       0x00200000
#define OPCHDA_DATALOST     0x00400000
#define OPCHDA_CONVERSION   0x00800000
#define OPCHDA_PARTIAL      0x01000000

/* DA quality values used with HDA. */
#define OPC_QUALITY_BAD       0x00
#define OPC_QUALITY_UNCERTAIN 0x40
#define OPC_QUALITY_GOOD      0xC0

/* HDA result codes. */
#define OPC_E_MAXEXCEEDED      ((HRESULT)0xC0041001L)
#define OPC_S_NODATA           ((HRESULT)0x40041002L)
#define OPC_S_MOREDATA         ((HRESULT)0x40041003L)
#define OPC_E_INVALIDAGGREGATE ((HRESULT)0xC0041004L)
#define OPC_S_CURRENTVALUE     ((HRESULT)0x40041005L)
#define OPC_S_EXTRADATA        ((HRESULT)0x40041006L)
#define OPC_W_NOFILTER         ((HRESULT)0x80041007L) /* a failure code despite its name */
#define OPC_E_UNKNOWNATTRID    ((HRESULT)0xC0041008L)
#define OPC_E_NOT_AVAIL        ((HRESULT)0xC0041009L)
#define OPC_E_INVALIDDATATYPE  ((HRESULT)0xC004100AL)
#define OPC_E_DATAEXISTS       ((HRESULT)0xC004100BL)
#define OPC_E_INVALIDATTRID    ((HRESULT)0xC004100CL)
#define OPC_E_NODATAEXISTS     ((HRESULT)0xC004100DL)
#define OPC_S_INSERTED         ((HRESULT)0x4004100EL)
#define OPC_S_REPLACED         ((HRESULT)0x4004100FL)

/* Common OPC result codes used by HDA. */
#define OPC_E_INVALIDHANDLE   ((HRESULT)0xC0040001L)
#define OPC_E_BADRIGHTS       ((HRESULT)0xC0040006L)
#define OPC_E_UNKNOWNITEMID   ((HRESULT)0xC0040007L)
#define OPC_E_INVALIDITEMID   ((HRESULT)0xC0040008L)
#define OPC_E_INVALIDFILTER   ((HRESULT)0xC0040009L)
#define OPC_S_UNSUPPORTEDRATE ((HRESULT)0x0004000DL)

#endif /* VARNEL_OPC_CODES_H */
