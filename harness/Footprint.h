// harness/Footprint.h: what an installation writes, as one snapshot that can be taken, expected, compared and reset.
#ifndef HARNESS_FOOTPRINT_H
#define HARNESS_FOOTPRINT_H

#include <windows.h>
#include <map>
#include <string>

// Where the installer writes.
#define FOOTPRINT_SERVICES_KEY "SYSTEM\\ControlSet001\\Services"
#define FOOTPRINT_LSA_KEY "SYSTEM\\ControlSet001\\Control\\Lsa"

namespace Footprint
{
    // Each thing an installation writes, by name, with what it holds:
    //   "HKLM\<key>\"          "key"                       a key of a service entry
    //   "HKLM\<key>\<value>"   "REG_DWORD 80", "REG_SZ "Z\0"" (type and every byte)
    //   "<path of a file>"     "shortcut to "T", "D"" or "N bytes "...""
    typedef std::map<std::string, std::string> Snapshot;

    // What is there now: the three service entries whole (every key and value under them,
    // whatever its name), any value right under the Services key, the Lsa value where it is not
    // as the prefix's target Windows ships it, and the shortcuts and batch file in every folder
    // the installer may take for them. An untouched server: an empty snapshot.
    Snapshot Take();

    // What a complete installation leaves, for this windir: every value by type and bytes, the
    // manager shortcuts' target and description, the desktop copy as the prepared shortcut is.
    Snapshot Expected(const std::string& strWindir = "");

    // Removes everything Take() can see, the Lsa value back as the target ships it; returns what
    // is left (empty when all is gone).
    Snapshot Reset();

    // The items that differ, one line each ("" when the snapshots are equal).
    std::string Differences(const Snapshot& expected, const Snapshot& actual);
    // How what is there now differs from what is expected ("" when not at all); an empty
    // expectation: nothing of an installation is there.
    std::string Check(const Snapshot& expected);
    // One line per item, for a person to read.
    std::string Describe(const Snapshot& snapshot);

    // Names and contents of items, for expectations other than Expected().
    std::string ValueName(const std::string& strKey, const std::string& strValue);
    std::string ValueOf(DWORD nType, const std::string& strBytes);
    std::string Sz(const std::string& strText);         // REG_SZ, its NUL counted
    std::string ExpandSz(const std::string& strText);
    std::string Dword(DWORD n);
    std::string FileOf(const std::string& strPath);      // what Take() says of a file
    std::string Bytes(const std::string& strBytes);      // what it says of a file of these bytes

    // What lies around an installation, for a check that nothing else was touched: every key
    // and value under the Services key of ControlSet001 and of CurrentControlSet, and every file
    // (by name and size) in the common folders and right in the system directory.
    Snapshot Surroundings();

    // Where the batch file goes, and the manager shortcut in a folder.
    std::string BatchFile();
    std::string ManagerShortcutIn(const std::string& strFolder);
}

#endif // HARNESS_FOOTPRINT_H
