// Filling a wave with the raw history of its item over a period, through one server connection.
#pragma once

#include "document/user_messages.h"
#include "document/wave.h"
#include "hda/hda_connection.h"

// Adds the wave's item to the connection when needed, reads at most 32000 raw values from start
// to stop and replaces the wave's T and Y (numeric values) or S (texts: the first value is a
// string) with them, logging the progress. Returns true when the item could not be added or the
// server stopped answering (the connection is then lost, see THdaConnection::NoteServerLoss); the
// wave keeps what it held. A read the server failed or that found nothing empties the wave.
[[nodiscard]] bool ReadWave(THdaConnection& connection, TWave& wave, double start, double stop,
                            IUserMessages& messages);
