// The TWAIN 1.x declarations the suite uses: the structures an application
// and a data source exchange through the source manager's DSM_Entry, and
// the codes of the triplets (data group, data argument type, message).
// Structures are packed on 2-byte boundaries, as the protocol lays them out.
#pragma once
#include <windows.h>

#include <stdint.h>

#pragma pack(push, 2)

typedef uint16_t TW_UINT16;
typedef uint32_t TW_UINT32;
typedef int16_t TW_INT16;
typedef int32_t TW_INT32;
typedef uint16_t TW_BOOL;
typedef void *TW_MEMREF;
typedef HANDLE TW_HANDLE;
typedef char TW_STR32[34];  // 32 characters, a NUL and a pad byte

struct TW_VERSION {
    TW_UINT16 MajorNum;
    TW_UINT16 MinorNum;
    TW_UINT16 Language;
    TW_UINT16 Country;
    TW_STR32 Info;
};

struct TW_IDENTITY {
    TW_UINT32 Id;  // given by the source manager
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor;
    TW_UINT16 ProtocolMinor;
    TW_UINT32 SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_EVENT {
    TW_MEMREF pEvent;  // the application's MSG
    TW_UINT16 TWMessage;
};

struct TW_PENDINGXFERS {
    TW_UINT16 Count;
    TW_UINT32 Reserved;
};

struct TW_CAPABILITY {
    TW_UINT16 Cap;
    TW_UINT16 ConType;
    TW_HANDLE hContainer;  // global memory holding the container
};

struct TW_ONEVALUE {
    TW_UINT16 ItemType;
    TW_UINT32 Item;
};

struct TW_STATUS {
    TW_UINT16 ConditionCode;
    TW_UINT16 Reserved;
};

#pragma pack(pop)

// Return codes.
enum : TW_UINT16 {
    TWRC_SUCCESS = 0,
    TWRC_FAILURE = 1,
    TWRC_CHECKSTATUS = 2,
    TWRC_CANCEL = 3,
    TWRC_DSEVENT = 4,
    TWRC_NOTDSEVENT = 5,
    TWRC_XFERDONE = 6,
    TWRC_ENDOFLIST = 7
};

// Condition codes (DAT_STATUS).
enum : TW_UINT16 { TWCC_SUCCESS = 0, TWCC_BUMMER = 1, TWCC_LOWMEMORY = 2, TWCC_NODS = 3, TWCC_BADCAP = 6,
                   TWCC_BADPROTOCOL = 9, TWCC_BADVALUE = 10, TWCC_SEQERROR = 11 };

// Data groups.
enum : TW_UINT32 { DG_CONTROL = 0x0001, DG_IMAGE = 0x0002 };

// Data argument types.
enum : TW_UINT16 {
    DAT_NULL = 0x0000,
    DAT_CAPABILITY = 0x0001,
    DAT_EVENT = 0x0002,
    DAT_IDENTITY = 0x0003,
    DAT_PARENT = 0x0004,
    DAT_PENDINGXFERS = 0x0005,
    DAT_STATUS = 0x0008,
    DAT_USERINTERFACE = 0x0009,
    DAT_IMAGEINFO = 0x0101,
    DAT_IMAGENATIVEXFER = 0x0104
};

// Messages.
enum : TW_UINT16 {
    MSG_NULL = 0x0000,
    MSG_GET = 0x0001,
    MSG_GETCURRENT = 0x0002,
    MSG_GETDEFAULT = 0x0003,
    MSG_GETFIRST = 0x0004,
    MSG_GETNEXT = 0x0005,
    MSG_SET = 0x0006,
    MSG_RESET = 0x0007,
    MSG_XFERREADY = 0x0101,
    MSG_CLOSEDSREQ = 0x0102,
    MSG_CLOSEDSOK = 0x0103,
    MSG_OPENDSM = 0x0301,
    MSG_CLOSEDSM = 0x0302,
    MSG_OPENDS = 0x0401,
    MSG_CLOSEDS = 0x0402,
    MSG_USERSELECT = 0x0403,
    MSG_DISABLEDS = 0x0501,
    MSG_ENABLEDS = 0x0502,
    MSG_PROCESSEVENT = 0x0601,
    MSG_ENDXFER = 0x0701,
    MSG_RESETXFER = 0x0702
};

// Capabilities, containers, item types and their values.
enum : TW_UINT16 { CAP_XFERCOUNT = 0x0001, ICAP_XFERMECH = 0x0103 };
enum : TW_UINT16 { TWON_ARRAY = 3, TWON_ENUMERATION = 4, TWON_ONEVALUE = 5, TWON_RANGE = 6 };
enum : TW_UINT16 { TWTY_INT16 = 1, TWTY_UINT16 = 4, TWTY_UINT32 = 5, TWTY_BOOL = 6 };
enum : TW_UINT16 { TWSX_NATIVE = 0, TWSX_FILE = 1, TWSX_MEMORY = 2 };
enum : TW_UINT16 { TWLG_USA = 13, TWCY_USA = 1 };

// The source manager's entry (exported at ordinal 1 of TWAIN_32.DLL) and a
// data source's entry (exported by name from its .ds module).
typedef TW_UINT16(WINAPI *DSMENTRYPROC)(TW_IDENTITY *origin, TW_IDENTITY *dest, TW_UINT32 group, TW_UINT16 dat,
                                         TW_UINT16 msg, TW_MEMREF data);
typedef TW_UINT16(WINAPI *DSENTRYPROC)(TW_IDENTITY *origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg,
                                        TW_MEMREF data);

static_assert(sizeof(TW_IDENTITY) == 156, "TW_IDENTITY is 156 bytes");
static_assert(sizeof(TW_ONEVALUE) == 6, "TW_ONEVALUE is 6 bytes");
static_assert(sizeof(TW_PENDINGXFERS) == 6, "TW_PENDINGXFERS is 6 bytes");
