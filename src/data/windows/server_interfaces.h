#pragma once
// The business-object server's interfaces and creatable classes, as the program and the
// demo server both see them. Collections are 1-based; every method returns an HRESULT
// and gives its result through the last parameter. Strings are BSTRs (UTF-16), a null
// BSTR being the empty text; dates are VARIANTs of type VT_R8 holding the OLE date.

#include <windows.h>
#include <oaidl.h>
#include <unknwn.h>

#define DRALMOFT_METHOD(name) virtual HRESULT STDMETHODCALLTYPE name

struct IBusinessObject : IUnknown {
    DRALMOFT_METHOD(GetName)(BSTR* name) = 0;
    DRALMOFT_METHOD(SetName)(BSTR name) = 0;
};

struct IBusinessCollection : IUnknown {
    DRALMOFT_METHOD(GetItem)(long index, IBusinessObject** item) = 0;
    DRALMOFT_METHOD(GetCount)(long* count) = 0;
};

struct IBusinessTable : IUnknown {
    DRALMOFT_METHOD(GetAll)(IBusinessCollection** all) = 0;
};

struct IDatabaseSetup : IUnknown {
    DRALMOFT_METHOD(OpenDatabase)(BSTR name, BSTR location, BSTR third, BSTR fourth, BSTR type) = 0;
};

// A list of objects with a 16-bit count and index: it cannot hold more than 32,767.
struct IObjectList : IUnknown {
    DRALMOFT_METHOD(GetItem)(short index, IBusinessObject** item) = 0;
    DRALMOFT_METHOD(Add)(IBusinessObject* item) = 0;
    DRALMOFT_METHOD(GetCount)(short* count) = 0;
};

struct IDataService : IBusinessObject {
    DRALMOFT_METHOD(GetClients)(BSTR filter, IBusinessCollection** clients) = 0;
    DRALMOFT_METHOD(GetItems)(BSTR filter, IBusinessCollection** items) = 0;
    DRALMOFT_METHOD(GetSuppliers)(BSTR filter, IBusinessCollection** suppliers) = 0;
    DRALMOFT_METHOD(GetDocuments)(VARIANT from, VARIANT to, long flag, REFIID iid, IBusinessCollection** documents) = 0;
};

struct IVatRate : IBusinessObject {
    DRALMOFT_METHOD(GetRate)(double* percent) = 0;
};

struct IItem : IBusinessObject {
    DRALMOFT_METHOD(GetCode)(BSTR* code) = 0;
};

struct ITrader : IBusinessObject {
    DRALMOFT_METHOD(GetTaxId)(BSTR* taxId) = 0;
    DRALMOFT_METHOD(GetTraderNumber)(long* number) = 0;
};

struct IClient : ITrader {};
struct ISupplier : ITrader {};

struct IDocument : IBusinessObject {
    DRALMOFT_METHOD(GetTrader)(ITrader** trader) = 0;
    DRALMOFT_METHOD(GetLines)(IBusinessCollection** lines) = 0;
    DRALMOFT_METHOD(GetDate)(VARIANT* date) = 0;
    DRALMOFT_METHOD(GetNumber)(long* number) = 0;
    DRALMOFT_METHOD(GetSeries)(BSTR* series) = 0;
    DRALMOFT_METHOD(GetKind)(long* kind) = 0;
};

struct ICommercialDocument : IDocument {};
struct ISourceDocument : IDocument {};

// Offered by a document made from other documents (an invoice from delivery notes).
struct ILinkedDocument : IDocument {
    DRALMOFT_METHOD(GetSourceDocuments)(IBusinessCollection** sources) = 0;
};

struct IDocumentLine : IBusinessObject {
    DRALMOFT_METHOD(GetLineItem)(IItem** item) = 0;
    DRALMOFT_METHOD(GetDiscount)(long selector, double* discount) = 0;
    DRALMOFT_METHOD(GetValue)(long selector, double* value) = 0;
    DRALMOFT_METHOD(GetNetValue)(double* value) = 0;
    DRALMOFT_METHOD(SetNetValue)(double value) = 0;
    DRALMOFT_METHOD(GetVatPercent)(double* percent) = 0;
    DRALMOFT_METHOD(SetVatPercent)(double percent) = 0;
};

#undef DRALMOFT_METHOD

__CRT_UUID_DECL(IBusinessObject, 0x7E82109A, 0x5D06, 0x40E1, 0x8F, 0xF6, 0xDC, 0xEC, 0x23, 0x8D, 0x0B, 0x05)
__CRT_UUID_DECL(IBusinessCollection, 0xC55EB6B0, 0x7A48, 0x4CE9, 0x91, 0xE7, 0xA5, 0xF9, 0xC9, 0xA1, 0xCD, 0x8B)
__CRT_UUID_DECL(IBusinessTable, 0x8B5B173C, 0xC098, 0x49CE, 0x83, 0x9C, 0xF6, 0xAE, 0x6C, 0x61, 0x72, 0x7F)
__CRT_UUID_DECL(IDatabaseSetup, 0xA855567A, 0xC8DA, 0x4B75, 0x87, 0x62, 0x7D, 0x81, 0xE6, 0xF6, 0x72, 0xF6)
__CRT_UUID_DECL(IObjectList, 0x7DA0978B, 0x5170, 0x457F, 0xB8, 0x6D, 0x4D, 0x7E, 0x8F, 0x41, 0x3F, 0xD8)
__CRT_UUID_DECL(IDataService, 0xEFE4659C, 0xCFCE, 0x4A73, 0xB0, 0x6B, 0xAA, 0xB5, 0xF3, 0xCB, 0x3C, 0xCA)
__CRT_UUID_DECL(IVatRate, 0x9CACBABD, 0xD9C2, 0x4CDD, 0x9B, 0xE4, 0xC4, 0x1E, 0xBE, 0x5E, 0xC5, 0x74)
__CRT_UUID_DECL(IItem, 0x14FB1C97, 0x8A2F, 0x49F6, 0x97, 0xD6, 0xCB, 0xE8, 0xC9, 0xF5, 0xE9, 0x08)
__CRT_UUID_DECL(ITrader, 0x961CBB8F, 0xA93E, 0x44D5, 0x88, 0x51, 0xB5, 0xC3, 0xBC, 0x86, 0x2B, 0x32)
__CRT_UUID_DECL(IClient, 0x8BE920A2, 0x7E0E, 0x4614, 0xBE, 0x0E, 0x90, 0x76, 0xCB, 0xB6, 0x0F, 0xB1)
__CRT_UUID_DECL(ISupplier, 0x16878481, 0x7452, 0x4BB8, 0x9E, 0x5F, 0x97, 0x55, 0x67, 0x56, 0xC5, 0x3F)
__CRT_UUID_DECL(IDocument, 0x24063425, 0x8923, 0x40B1, 0xAE, 0x6D, 0x23, 0xE5, 0xFE, 0xEF, 0xCE, 0x14)
__CRT_UUID_DECL(ICommercialDocument, 0x9085CB73, 0x3D44, 0x42BA, 0x9A, 0x3A, 0x3D, 0xC6, 0x73, 0xD2, 0x71, 0xB8)
__CRT_UUID_DECL(ISourceDocument, 0x77A221CE, 0x7D8D, 0x42B8, 0xB9, 0x17, 0x3B, 0xE7, 0xD5, 0x1E, 0x34, 0xBD)
__CRT_UUID_DECL(ILinkedDocument, 0x16DB06BA, 0x5A95, 0x4E7F, 0xA6, 0x3F, 0xDB, 0x42, 0xCA, 0x5D, 0xE8, 0x4C)
__CRT_UUID_DECL(IDocumentLine, 0xF0871461, 0x5914, 0x4710, 0xA6, 0x74, 0xCB, 0x72, 0x24, 0x85, 0xDE, 0x74)

// The selector that GetValue and GetDiscount take for the line's own amounts.
inline constexpr long kAmountSelector = 2;

// Creatable classes.
// {7ECFCAFA-214B-4681-9C1A-0DB39E3B7984}
inline constexpr CLSID CLSID_DatabaseSetup = {
    0x7ECFCAFA, 0x214B, 0x4681, {0x9C, 0x1A, 0x0D, 0xB3, 0x9E, 0x3B, 0x79, 0x84}};
// {C9CBD173-66C6-4393-A117-E0ED1CBF06C7}
inline constexpr CLSID CLSID_DataRoot = {0xC9CBD173, 0x66C6, 0x4393, {0xA1, 0x17, 0xE0, 0xED, 0x1C, 0xBF, 0x06, 0xC7}};
// {E7A6EE4C-E76E-4520-A7CD-0E217DC52140}
inline constexpr CLSID CLSID_VatRateTable = {
    0xE7A6EE4C, 0xE76E, 0x4520, {0xA7, 0xCD, 0x0E, 0x21, 0x7D, 0xC5, 0x21, 0x40}};
// {47F763D1-DCB3-40FF-94C6-CCF62E1ABD84}
inline constexpr CLSID CLSID_ObjectList = {
    0x47F763D1, 0xDCB3, 0x40FF, {0x94, 0xC6, 0xCC, 0xF6, 0x2E, 0x1A, 0xBD, 0x84}};
// {9D75E33F-1EA7-4C8E-B21E-827A97B1D4BC}
inline constexpr CLSID CLSID_DocumentLine = {
    0x9D75E33F, 0x1EA7, 0x4C8E, {0xB2, 0x1E, 0x82, 0x7A, 0x97, 0xB1, 0xD4, 0xBC}};
