# Writes DIR/SHA256SUMS for the files in DIR, in the form sha256sum -c reads.
file(GLOB files RELATIVE ${DIR} ${DIR}/*.exe ${DIR}/*.zip)
list(SORT files)
set(sums "")
foreach(name IN LISTS files)
    file(SHA256 ${DIR}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${DIR}/SHA256SUMS "${sums}")
