// tp_MessageData: typed reads of mediator message data for the interface.
// A missing key is logged by the data table itself and leaves the output
// untouched, so a caller keeps its default; the Optional forms read a key
// that senders may leave out without any log line.
#pragma once

#include <string>

class tr_MediatorDataTable;

bool tp_ReadInt(const tr_MediatorDataTable& data, const std::string& key, int& value);
bool tp_ReadFloat(const tr_MediatorDataTable& data, const std::string& key, float& value);
bool tp_ReadString(const tr_MediatorDataTable& data, const std::string& key, std::string& value);

bool tp_ReadOptionalInt(const tr_MediatorDataTable& data, const std::string& key, int& value);
bool tp_ReadOptionalFloat(const tr_MediatorDataTable& data, const std::string& key, float& value);
bool tp_ReadOptionalString(const tr_MediatorDataTable& data, const std::string& key,
                           std::string& value);

// A flag key holds 1 for true; anything else (or a missing key) is false.
bool tp_ReadFlag(const tr_MediatorDataTable& data, const std::string& key);
