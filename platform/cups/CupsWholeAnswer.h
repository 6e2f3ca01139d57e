#pragma once

#include "CupsOwners.h"

// Sends a request and reads the server's answer whole before parsing it. libcups parses an answer straight
// off the socket, a field at a time, whenever its body arrives after its headers: a printer's media list
// then takes thousands of reads and several milliseconds. Read in large pieces it takes a few.
// Null, as with cupsDoRequest, when no answer came; a server found silent is not asked again. An answer
// other than a plain "200 OK" (a password wanted, encryption required, a refusal) is asked for again the
// ordinary way, which knows them all. Takes the request.
IppMessage askWhole(http_t* http, ipp_t* request, const char* resource);
