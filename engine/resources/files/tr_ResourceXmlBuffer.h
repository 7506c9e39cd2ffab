// tr_ParseResourceXml: a reader over a description file that is already in
// memory, parsed the way OpenResourceXml parses files (white space kept).
// Description parsers take their bytes through here so that they can be fed
// from a file, a test or a fuzzer alike. The returned reader owns its
// document; the bytes are not kept.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

class tr_SLHelper_TinyXML2;

// Null when the bytes are not well-formed XML or hold no element.
std::unique_ptr<tr_SLHelper_TinyXML2> tr_ParseResourceXml(const char* data, size_t size);

// Visits the children named name of the reader's current element in document
// order: each becomes the current element while visit runs, and the reader
// is back on the parent afterwards.
void tr_ForEachResourceElement(tr_SLHelper_TinyXML2& reader, const char* name,
                               const std::function<void()>& visit);
