// harness/Server.h: the NT server the installer meets: what it needs there, and how each target Windows shapes it.
#ifndef HARNESS_SERVER_H
#define HARNESS_SERVER_H

#include <windows.h>
#include <string>
#include <vector>

namespace Server
{
    // One Windows the installer is for, as its shell and its security settings show it.
    struct Target
    {
        const char* pszName;        // nt40, win2k, winxp, win2003: Wine's "Version" for it too
        const char* pszWindows;     // "Windows NT 4.0", ...
        DWORD nMajor, nMinor;       // the version GetVersionEx reports there
        int nLsaDefault;            // limitblankpassworduse as it ships; -1: not there
    };

    // The four, oldest first.
    const std::vector<Target>& Targets();
    // The target of this name, or NULL.
    const Target* FindTarget(const std::string& strName);
    // "nt40, win2k, winxp, win2003", for messages.
    std::string TargetNames();
    // The commonest target, which the prefix has unless a test or a job asks for another.
    const Target& DefaultTarget();
    // The target whose shape the prefix has (Wine's "Version" names it), or NULL.
    const Target* CurrentTarget();

    // Where the target's shell keeps the common folder of this "Shell Folders" value name
    // ("Common Desktop", ...), expanded; "" where that shell has no such value.
    std::string CommonFolder(const Target& target, const char* pszValueName);
    // NT 4.0's group for the administrators' tools under the common Programs folder, "" elsewhere.
    std::string AdminGroup(const Target& target);
    // That group's name on English editions of NT 4.0.
    extern const char Nt4AdminGroupName[];

    // Lays the target's shape over the prefix: Wine reports that Windows to programs started
    // from now on; the common shell-folder values are that shell's (others are removed) and
    // their folders exist; the Lsa value is as that Windows ships it. Returns what could not be
    // done, one line each ("" when all was).
    std::string LayShape(const Target& target);

    // A server ready for the installer, with no installation on it: control set 001's Services
    // and Lsa keys, the three protocols' keys, the prepared shortcut, and the target's shape.
    // Returns what could not be done ("" when all was).
    std::string Prepare(const Target& target);

    // The protocols' service keys, in the order the installer checks them.
    extern const char* const ProtocolKeys[3];
    // The prepared shortcut that the installer copies to the common desktop.
    std::string PreparedShortcut();
}

#endif // HARNESS_SERVER_H
