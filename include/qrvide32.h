/* QRVIDE32.DLL: bring a search hit up in the user's editor.
 *
 * Public interface for host programs, C and C++. Every export and every driver
 * operation uses __stdcall; a driver operation receives the driver object as
 * its first argument, as a COM method does. Editor-family answers are one byte
 * (0 or 1); registry exports and D2DFMtoText answer a 32-bit 0 or 1. A short
 * string is a length byte followed by that many characters, no terminator.
 *
 * Three errors are raised to the host as a Windows structured exception with
 * code QRVL_EXCEPTION_CODE and one argument, a pointer to the error's message
 * text (valid until the next call into the library): a refused write of the
 * settings file in Save, a malformed repeat count in a keystroke macro (through
 * SyncIDE, OpenFile or GotoLine), and an I/O failure of the install log in
 * AddRegistryKey (the registry value is already written then). The exception
 * is continuable: a handler that continues execution makes the call answer 0
 * (false, null). */
#ifndef QRVIDE32_H
#define QRVIDE32_H

#include <stdint.h>

#if defined(_WIN32) && defined(__i386__) || defined(_M_IX86)
#define QRVL_STDCALL __stdcall
#else
#define QRVL_STDCALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void* QRVL_HWND;
typedef void* QRVL_HBITMAP;
typedef uint32_t QRVL_HKEY; /* 0 or a predefined root such as QRVL_HKEY_CURRENT_USER */
typedef unsigned char QRVL_BOOL8;

#define QRVL_EXCEPTION_CODE 0xE0515256u
#define QRVL_IDE_COUNT 18
#define QRVL_MSG_OPENFILE "CM_QRVLOPENFILE" /* registered window message names */
#define QRVL_MSG_RESTORE "CM_QRVLRESTORE"

#define QRVL_HKEY_CLASSES_ROOT 0x80000000u
#define QRVL_HKEY_CURRENT_USER 0x80000001u
#define QRVL_HKEY_LOCAL_MACHINE 0x80000002u
#define QRVL_HKEY_USERS 0x80000003u

/* Editor kinds for QRVL_CreateIDE (only the low seven bits count). */
enum QRVL_Kind {
  QRVL_KIND_CUSTOM = 0,
  QRVL_KIND_HEDIT = 1,
  QRVL_KIND_BORCPP_4X = 2,
  QRVL_KIND_MSVC_1X = 3,
  QRVL_KIND_DELPHI_1X = 4,
  QRVL_KIND_DELPHI_2X = 5,
  QRVL_KIND_CODEWRIGHT_3X = 6,
  QRVL_KIND_CODEWRIGHT_4X = 7,
  QRVL_KIND_MULTIEDIT_7X = 8,
  QRVL_KIND_MSVC_4X = 9,
  QRVL_KIND_BORCPP_5X = 10,
  QRVL_KIND_BORCPP_4XG = 11,
  QRVL_KIND_DELPHI_1XG = 12,
  QRVL_KIND_VSLICKEDIT_1X = 13,
  QRVL_KIND_DELPHI_3X = 14,
  QRVL_KIND_CBUILDER_1X = 15,
  QRVL_KIND_MSJPP_1X = 16,
  QRVL_KIND_MSVC_5X = 17
};

/* Answers of GetIDEType. */
enum QRVL_IDEType {
  QRVL_IDETYPE_GENERIC = 0,
  QRVL_IDETYPE_MDI = 1,
  QRVL_IDETYPE_DELPHI = 2,
  QRVL_IDETYPE_ENUM = 3
};

typedef struct QRVL_IDE QRVL_IDE;

/* A driver's operations, in slot order. Operations that a driver class does
 * not implement answer 0 (false, null). */
typedef struct QRVL_IDEVtbl {
  /* 0: true when RestoreIDE can start or recall the editor. */
  QRVL_BOOL8(QRVL_STDCALL* CanRestoreIDE)(QRVL_IDE* self);
  /* 1: bring the editor forward; window of the running editor, or 0 to start it. */
  QRVL_BOOL8(QRVL_STDCALL* RestoreIDE)(QRVL_IDE* self, QRVL_HWND window);
  /* 2: always 0. */
  QRVL_BOOL8(QRVL_STDCALL* ReservedA)(QRVL_IDE* self);
  /* 3: not used; never call it. */
  int32_t(QRVL_STDCALL* ReservedB)(QRVL_IDE* self);
  /* 4-6: window class and title of the editor, class of its edit control. The
   * texts belong to the driver and stay valid while it exists; null before a
   * successful Load. */
  const char*(QRVL_STDCALL* GetAppClass)(QRVL_IDE* self);
  const char*(QRVL_STDCALL* GetAppText)(QRVL_IDE* self);
  const char*(QRVL_STDCALL* GetEditClass)(QRVL_IDE* self);
  /* 7: one of QRVL_IDEType. */
  uint8_t(QRVL_STDCALL* GetIDEType)(QRVL_IDE* self);
  /* 8-11: the host's add-in for this IDE. */
  QRVL_BOOL8(QRVL_STDCALL* CanInstall)(QRVL_IDE* self);
  QRVL_BOOL8(QRVL_STDCALL* IsInstalled)(QRVL_IDE* self);
  QRVL_BOOL8(QRVL_STDCALL* Install)(QRVL_IDE* self);
  QRVL_BOOL8(QRVL_STDCALL* Uninstall)(QRVL_IDE* self);
  /* 12: not used; never call it. */
  int32_t(QRVL_STDCALL* ReservedC)(QRVL_IDE* self);
  /* 13: true when the editor (or its add-in) can take a search hit now. */
  QRVL_BOOL8(QRVL_STDCALL* IsIDEReady)(QRVL_IDE* self);
  /* 14: open FileName (may be null) at Line in the editor; arg1 and arg2 go
   * to SyncFinish. */
  QRVL_BOOL8(QRVL_STDCALL* SyncIDE)
  (QRVL_IDE* self, const char* file_name, int32_t line, int32_t arg1, int32_t arg2);
  /* 15: read the editor profile from EDITORS.INI again. */
  QRVL_BOOL8(QRVL_STDCALL* Load)(QRVL_IDE* self);
  /* 16: the editor's display name. */
  const char*(QRVL_STDCALL* GetDescription)(QRVL_IDE* self);
  /* 17: a new 16x16 bitmap owned by the caller, or null. */
  QRVL_HBITMAP(QRVL_STDCALL* GetBitmap)(QRVL_IDE* self);
  /* 18: write the profile back to EDITORS.INI. */
  void(QRVL_STDCALL* Save)(QRVL_IDE* self);
  /* 19-21: the three steps of SyncIDE for keystroke-driven editors. */
  QRVL_BOOL8(QRVL_STDCALL* OpenFile)(QRVL_IDE* self, const char* file_name);
  QRVL_BOOL8(QRVL_STDCALL* GotoLine)(QRVL_IDE* self, int32_t line);
  QRVL_BOOL8(QRVL_STDCALL* SyncFinish)(QRVL_IDE* self, int32_t arg1, int32_t arg2);
} QRVL_IDEVtbl;

struct QRVL_IDE {
  const QRVL_IDEVtbl* vtbl;
};

/* Editor family (export ordinal in brackets). */
/* [9] Register the window messages and fix the settings path; always 1. */
QRVL_BOOL8 QRVL_STDCALL QRVL_Init(void);
/* [8] The number of editor kinds: 18. */
int32_t QRVL_STDCALL QRVL_IDECount(void);
/* [7] A new driver for Kind (low seven bits), or null for a kind above 17.
 * Owner owns every message box the library shows from now on. */
QRVL_IDE* QRVL_STDCALL QRVL_CreateIDE(int32_t kind, QRVL_HWND owner);
/* [6] Release a driver (null allowed); 0 when releasing failed. */
QRVL_BOOL8 QRVL_STDCALL QRVL_DestroyIDE(QRVL_IDE* driver);

/* Registry service; every text is a short string. Root 0 is HKEY_CURRENT_USER. */
/* [5] 1 when Key opens and, for a non-empty ValueName, the value exists. */
int32_t QRVL_STDCALL RegistryKeyExists(QRVL_HKEY root, const unsigned char* key,
                                       const unsigned char* value_name);
/* [4] Write a string value (creating the key); logs it to INSTALL.LOG when
 * that file exists beside the library. */
int32_t QRVL_STDCALL AddRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                    const unsigned char* value_name, const unsigned char* value,
                                    int32_t tree_entry);
/* [3] Delete a value, or with an empty ValueName the key and its subkeys. */
int32_t QRVL_STDCALL DeleteRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                       const unsigned char* value_name);
/* [2] Read a string value into buffer (buffer_size + 1 bytes). */
int32_t QRVL_STDCALL GetRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                    const unsigned char* value_name, unsigned char* buffer,
                                    uint32_t buffer_size);

/* [1] Convert a binary Delphi form file to its text form. */
int32_t QRVL_STDCALL D2DFMtoText(const unsigned char* in_file, const unsigned char* out_file);

/* Pointer types for hosts that resolve the exports at run time. */
typedef QRVL_BOOL8(QRVL_STDCALL* QRVL_Init_t)(void);
typedef int32_t(QRVL_STDCALL* QRVL_IDECount_t)(void);
typedef QRVL_IDE*(QRVL_STDCALL* QRVL_CreateIDE_t)(int32_t, QRVL_HWND);
typedef QRVL_BOOL8(QRVL_STDCALL* QRVL_DestroyIDE_t)(QRVL_IDE*);
typedef int32_t(QRVL_STDCALL* RegistryKeyExists_t)(QRVL_HKEY, const unsigned char*,
                                                   const unsigned char*);
typedef int32_t(QRVL_STDCALL* AddRegistryKey_t)(QRVL_HKEY, const unsigned char*,
                                                const unsigned char*, const unsigned char*,
                                                int32_t);
typedef int32_t(QRVL_STDCALL* DeleteRegistryKey_t)(QRVL_HKEY, const unsigned char*,
                                                   const unsigned char*);
typedef int32_t(QRVL_STDCALL* GetRegistryKey_t)(QRVL_HKEY, const unsigned char*,
                                                const unsigned char*, unsigned char*, uint32_t);
typedef int32_t(QRVL_STDCALL* D2DFMtoText_t)(const unsigned char*, const unsigned char*);

#ifdef __cplusplus
}
#endif

#endif /* QRVIDE32_H */
