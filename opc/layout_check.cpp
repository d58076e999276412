// Compile-time proof that the generated structures have the standard's binary layout on this
// target (x86 and x64 are both built).
#include <cstddef>

#include "opc/opc.h"

namespace {

constexpr bool k64 = sizeof(void*) == 8;
constexpr std::size_t X(std::size_t x86, std::size_t x64) { return k64 ? x64 : x86; }

static_assert(sizeof(OPCHANDLE) == 4);
static_assert(sizeof(FILETIME) == 8 && alignof(FILETIME) == 4);
static_assert(sizeof(VARIANT) == X(16, 24));
static_assert(sizeof(VARTYPE) == 2);
static_assert(sizeof(OPCHDA_SERVERSTATUS) == 4 && sizeof(OPCHDA_BROWSEDIRECTION) == 4 &&
              sizeof(OPCHDA_BROWSETYPE) == 4 && sizeof(OPCHDA_ANNOTATIONCAPABILITIES) == 4 &&
              sizeof(OPCHDA_UPDATECAPABILITIES) == 4 && sizeof(OPCHDA_OPERATORCODES) == 4 &&
              sizeof(OPCHDA_EDITTYPE) == 4 && sizeof(OPCHDA_AGGREGATE) == 4);

static_assert(offsetof(OPCHDA_TIME, bString) == 0);
static_assert(offsetof(OPCHDA_TIME, szTime) == X(4, 8));
static_assert(offsetof(OPCHDA_TIME, ftTime) == X(8, 16));
static_assert(sizeof(OPCHDA_TIME) == X(16, 24));

static_assert(offsetof(OPCHDA_ITEM, hClient) == 0);
static_assert(offsetof(OPCHDA_ITEM, haAggregate) == 4);
static_assert(offsetof(OPCHDA_ITEM, dwCount) == 8);
static_assert(offsetof(OPCHDA_ITEM, pftTimeStamps) == X(12, 16));
static_assert(offsetof(OPCHDA_ITEM, pdwQualities) == X(16, 24));
static_assert(offsetof(OPCHDA_ITEM, pvDataValues) == X(20, 32));
static_assert(sizeof(OPCHDA_ITEM) == X(24, 40));

static_assert(offsetof(OPCHDA_ATTRIBUTE, hClient) == 0);
static_assert(offsetof(OPCHDA_ATTRIBUTE, dwNumValues) == 4);
static_assert(offsetof(OPCHDA_ATTRIBUTE, dwAttributeID) == 8);
static_assert(offsetof(OPCHDA_ATTRIBUTE, ftTimeStamps) == X(12, 16));
static_assert(offsetof(OPCHDA_ATTRIBUTE, vAttributeValues) == X(16, 24));
static_assert(sizeof(OPCHDA_ATTRIBUTE) == X(20, 32));

static_assert(offsetof(OPCHDA_MODIFIEDITEM, hClient) == 0);
static_assert(offsetof(OPCHDA_MODIFIEDITEM, dwCount) == 4);
static_assert(offsetof(OPCHDA_MODIFIEDITEM, pftTimeStamps) == 8);
static_assert(offsetof(OPCHDA_MODIFIEDITEM, pdwQualities) == X(12, 16));
static_assert(offsetof(OPCHDA_MODIFIEDITEM, pvDataValues) == X(16, 24));
static_assert(offsetof(OPCHDA_MODIFIEDITEM, pftModificationTime) == X(20, 32));
static_assert(offsetof(OPCHDA_MODIFIEDITEM, pEditType) == X(24, 40));
static_assert(offsetof(OPCHDA_MODIFIEDITEM, szUser) == X(28, 48));
static_assert(sizeof(OPCHDA_MODIFIEDITEM) == X(32, 56));

static_assert(offsetof(OPCHDA_ANNOTATION, hClient) == 0);
static_assert(offsetof(OPCHDA_ANNOTATION, dwNumValues) == 4);
static_assert(offsetof(OPCHDA_ANNOTATION, ftTimeStamps) == 8);
static_assert(offsetof(OPCHDA_ANNOTATION, szAnnotation) == X(12, 16));
static_assert(offsetof(OPCHDA_ANNOTATION, ftAnnotationTime) == X(16, 24));
static_assert(offsetof(OPCHDA_ANNOTATION, szUser) == X(20, 32));
static_assert(sizeof(OPCHDA_ANNOTATION) == X(24, 40));

// Enum values that travel on the wire.
static_assert(OPCHDA_UP == 1 && OPCHDA_INDETERMINATE == 3);
static_assert(OPCHDA_BROWSE_UP == 1 && OPCHDA_BROWSE_DIRECT == 3);
static_assert(OPCHDA_BRANCH == 1 && OPCHDA_ITEMS == 4);
static_assert(OPCHDA_DELETEATTIMECAP == 0x10);
static_assert(OPCHDA_EQUAL == 1 && OPCHDA_NOTEQUAL == 6);
static_assert(OPCHDA_INSERT == 1 && OPCHDA_DELETE == 4);
static_assert(OPCHDA_INTERPOLATIVE == 1 && OPCHDA_MAXIMUM == 10 && OPCHDA_ANNOTATIONS == 24);

// Result classes: the W code fails, the S codes succeed.
static_assert(FAILED(OPC_W_NOFILTER) && SUCCEEDED(OPC_S_MOREDATA) && SUCCEEDED(OPC_S_NODATA));
static_assert(SUCCEEDED(OPC_S_UNSUPPORTEDRATE) && FAILED(OPC_E_NODATAEXISTS));

}  // namespace
