// SPDX-License-Identifier: MIT
// Identification: who is the register at the other end (device number, country, program version).
// Every transfer but the logo identifies first; the system works only with registers of country
// 'S'.
#pragma once

#include "link/handshake.h"

namespace nuvrel::link {

class PortOpener;

// The only country this edition serves.
inline constexpr char kServedCountry = 'S';

// Identifies the register over an open channel and sets channel.identity. True when the register
// answered correctly and its country is 'S'. Some failures (an impossible device number, a foreign
// country) end it without any message.
bool IdentifyRegister(Channel& channel);

// Opens COM(portIndex + 1), identifies, closes. Shows "Cannot open COM%d !" when the port does not
// open.
bool IdentifyOnPort(PortOpener& opener, int portIndex, Clock& clock, app::Ui& ui,
                    RegisterIdentity& identity);

}  // namespace nuvrel::link
