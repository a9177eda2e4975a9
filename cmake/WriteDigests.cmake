# cmake/WriteDigests.cmake: writes the SHA-256 digests of the shipped programs, as sha256sum writes them.
# Run with cmake -DDIR=bin-folder -DFILES="a.exe;b.exe" -P WriteDigests.cmake; writes DIR/SHA256SUMS.
set(lines "")
foreach(name ${FILES})
    file(SHA256 ${DIR}/${name} digest)
    string(APPEND lines "${digest}  ${name}\n")
endforeach()
# Written whole in one step: a reader never sees half a file.
file(WRITE ${DIR}/SHA256SUMS.new "${lines}")
file(RENAME ${DIR}/SHA256SUMS.new ${DIR}/SHA256SUMS)
