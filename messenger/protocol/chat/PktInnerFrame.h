#pragma once

#include <cstdint>
#include <string>

class PktStreamReader;

// The inner frame of a relayed packet that travels without an id ("CMSG", "CTOC"): the
// payload's first word is the command; the frame is rebuilt as that word, the id 0 and
// a line end, then the payload's remaining bytes. The payload is read as the count says,
// but never past the end of the frame.
bool ReadInnerFrame(PktStreamReader& reader, uint32_t count, std::wstring& command, std::string& frame);
