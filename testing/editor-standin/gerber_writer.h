// Writes one layer of the board as an RS-274X Gerber file: the header
// (format 3.4, leading zeros omitted, absolute; mm or inch), the aperture
// table, then the layer's objects in groups (tracks, pads, vias, holes,
// texts, outline), each group opened by the layer-name record "%LN...*%"
// as the editor writes it, so that a file holds several such records.
#pragma once

#include <string>

#include "board.h"
#include "output_job.h"

namespace standin {

// The file's text, lines ended with CR LF, layer names in UTF-8.
// Throws std::out_of_range when the job's layer is not on the board.
std::string writeGerber(const Board& board, const GerberJob& job);

// The layer name as it stands in "%LN" records: "*" and "%" (which would end
// the record) and control characters become "_".
std::string gerberLayerName(const std::wstring& name);

}  // namespace standin
