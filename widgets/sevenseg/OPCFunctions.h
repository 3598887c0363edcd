#pragma once
// Thin wrappers around the OPC and component-object calls of the item binding. They never raise
// (except the server-list ones): every failure comes back as a result code, a missing interface
// as E_FAIL.
#include <memory>

#include "widgets/sevenseg/OPCInterfaces.h"

// Process-wide identifiers of the three stream formats, registered on first use.
Cardinal OPCStreamFormatData();           // "OPCSTMFORMATDATA"
Cardinal OPCStreamFormatDataTime();       // "OPCSTMFORMATDATATIME"
Cardinal OPCStreamFormatWriteComplete();  // "OPCSTMFORMATWRITECOMPLETE"
// Registers a clipboard format by name (the same name gives the same identifier).
Cardinal RegisterClipboardFormat(const String& name);

HRESULT OPCAddGroup(const std::shared_ptr<IOPCServer>& server, const String& name, int active, Cardinal updateRate,
                    OPCHANDLE& serverGroup, std::shared_ptr<IOPCItemMgt>& group);
HRESULT OPCAddItem(const std::shared_ptr<IOPCItemMgt>& group, const String& itemId, OPCHANDLE clientHandle,
                   TVarType requestedType, OPCHANDLE& serverItem, TVarType& canonicalType);
HRESULT OPCRemoveItem(const std::shared_ptr<IOPCItemMgt>& group, OPCHANDLE serverItem);
HRESULT OPCAdviseStream(const std::shared_ptr<IOPCItemMgt>& group, std::shared_ptr<IAdviseSink> sink,
                        Cardinal& connection);
HRESULT OPCUnadviseStream(const std::shared_ptr<IOPCItemMgt>& group, Cardinal connection);
HRESULT OPCAdviseDataCallback(const std::shared_ptr<IOPCItemMgt>& group, std::shared_ptr<IOPCDataCallback> callback,
                              Cardinal& cookie);
HRESULT OPCUnadviseDataCallback(const std::shared_ptr<IOPCItemMgt>& group, Cardinal cookie);
HRESULT OPCAdviseShutdown(const std::shared_ptr<IOPCServer>& server, std::shared_ptr<IOPCShutdown> callback,
                          Cardinal& cookie);
HRESULT OPCUnadviseShutdown(const std::shared_ptr<IOPCServer>& server, Cardinal cookie);
HRESULT OPCWriteValue(const std::shared_ptr<IOPCItemMgt>& group, OPCHANDLE serverItem, const TOPCVariant& value);

// Trimmed; "LOCAL" in any case becomes empty.
String OPCNormalizeComputerName(const String& computerName);
// Raises "Unable to Create IOPCServerList Object : <message>" or "Unable to Create IOPCServerList Object".
std::shared_ptr<IOPCServerList> OPCCreateServerList(const String& computerName);
// Resolves a ProgID through the local registry, then the server browser (created on first need and
// kept in serverList), then the browser's 2.0 and 1.0 categories. Raises
// "Unable to convert ProgID to CLSID" when nothing knows it.
TOPCGuid OPCRemoteProgIDToCLSID(const String& computerName, const String& progId,
                                std::shared_ptr<IOPCServerList>& serverList);
