#pragma once

#include "platform/cups/CupsOwners.h"

#include <QByteArray>

// Sends a request and reads the server's answer whole before parsing it. libcups parses an answer straight
// off the socket, a field at a time, whenever its body arrives after its headers: a printer's media list
// then takes thousands of reads and several milliseconds. Read in large pieces it takes a few.
// Null when no plain "200 OK" answer came. A password asked for, or encryption, while the request is sent
// is dealt with by libcups as for any request; anything else is left to the caller's ordinary way, which
// knows them all. Takes the request.
IppMessage askWhole(http_t* http, ipp_t* request, const char* resource);

// The answer a body holds, as it came from the server: null when it is no whole IPP message.
IppMessage readAnswer(const QByteArray& body);
