// harness/Registry.h: keys and values under HKEY_LOCAL_MACHINE by path, for the tests and tools.
// They open keys with the installer's own key class, CRegKey, which closes them.
#ifndef HARNESS_REGISTRY_H
#define HARNESS_REGISTRY_H

#include <windows.h>
#include <string>

bool KeyExists(const std::string& strPath);
// Creates the key (volatile: gone at the next boot, and no lasting subkey can be made under it).
LONG CreateKey(const std::string& strPath, bool bVolatile = false);
// Deletes the key with all its subkeys; a key that is not there is no error.
LONG DeleteKey(const std::string& strPath);
LONG SetValue(const std::string& strPath, const char* pszName, DWORD nType, const std::string& strData);
// The value's bytes as stored (REG_EXPAND_SZ unexpanded), or "<missing>".
std::string ReadValue(const std::string& strPath, const char* pszName, DWORD* pnType = NULL);
DWORD CountValues(const std::string& strPath);
// Replaces the key's DACL with one given in SDDL.
LONG SetKeyDacl(const std::string& strPath, const char* pszSddl);

#endif // HARNESS_REGISTRY_H
