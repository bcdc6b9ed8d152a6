# The real-engine tests' home folder, HOME. With EMPTY, made anew and empty, as a new user's;
# else checked once the tests have ended: it may hold nothing but the engine's certificate
# store, which the engine creates under HOME on the first HTTPS connection and no switch moves.
if(EMPTY)
    file(REMOVE_RECURSE "${HOME}")
    file(MAKE_DIRECTORY "${HOME}")
    return()
endif()
file(GLOB_RECURSE written LIST_DIRECTORIES true RELATIVE "${HOME}" "${HOME}/*")
list(REMOVE_ITEM written .pki .pki/nssdb .pki/nssdb/cert9.db .pki/nssdb/key4.db
     .pki/nssdb/pkcs11.txt)
if(written)
    message(FATAL_ERROR "Written to the home folder: ${written}")
endif()
