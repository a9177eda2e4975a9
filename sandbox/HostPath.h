// sandbox/HostPath.h: the Windows name, inside the sandbox, of a path on the host.
#ifndef HOSTPATH_H
#define HOSTPATH_H

#include <string>

// Turns a host path such as /work/build/bin/x.exe into Z:\work\build\bin\x.exe; Wine maps
// drive Z: to the host's root. A path that is already a Windows one is returned unchanged.
inline std::string WindowsPathFromHost(const char* pszPath)
{
    std::string strPath(pszPath);
    if (strPath.empty() || strPath[0] != '/')
        return strPath;
    for (size_t i = 0; i < strPath.size(); ++i)
        if (strPath[i] == '/')
            strPath[i] = '\\';
    return "Z:" + strPath;
}

#endif // HOSTPATH_H
