// DDE links of fields.
//
// "@CLIENT(app,topic,item)" makes a field the client end of a hot link: it
// looks for a server of app/topic (WM_DDE_INITIATE to every top-level
// window), asks it to advise the item, and shows every value the server
// sends as its text.  "@SERVER(app,topic,item)" makes a field the server
// end: it answers WM_DDE_INITIATE for app/topic that reaches it through
// hlDdeMessage (a view passes them on to its fields), advises the item to
// its clients whenever hlDdeAdvise reports a new value, and answers
// requests with the last value.  Names compare without regard to case;
// data is CF_TEXT.
//
// Each linked field has a record in local memory (property "HLDDE") and a
// message-only window of ours that carries its conversations, so replies
// reach us whatever the field's own window procedure does with them.  The
// field is marked with "CLIENT" and/or "SERVER" ("SERVER1" on a combo box).
//
// Memory travelling with the messages follows the DDE rules: the receiver
// of WM_DDE_DATA frees the data when fRelease asks for it, the server frees
// the options of an accepted WM_DDE_ADVISE, atoms are deleted by whoever
// ends their journey, and packed lParams go through Unpack/Free/ReuseDDElParam.
#include <windows.h>
#include <dde.h>

#include <cstddef>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"
#include "helio/internal.h"

namespace {

constexpr char kRecordProp[] = "HLDDE";
constexpr char kAgentClass[] = "HelioDdeLink";
constexpr DWORD kMagic = 0x45444448;  // "HDDE"
constexpr int kMaxClients = 8;
constexpr int kNameSize = 64;
constexpr int kValueSize = 1024;
constexpr WORD kAckPositive = 0x8000;

struct Endpoint {
    bool active;
    char app[kNameSize];
    char topic[kNameSize];
    char item[kNameSize];
};

struct ClientEntry {
    HWND window;
    bool advised;
    bool warm;  // advised with fDeferUpd: notify without data
};

struct DdeLink {
    DWORD magic;
    HWND field;
    HWND agent;  // our message-only window, the partner every peer talks to
    Endpoint client, server;
    // server end
    ClientEntry clients[kMaxClients];
    char value[kValueSize];
    // client end
    HWND serverWindow;
    bool initiating;
    HGLOBAL pendingAdvise;  // ours until the server accepts it
};

DdeLink* link_of(HWND window) {
    if (!window) return nullptr;
    auto* link = static_cast<DdeLink*>(GetPropA(window, kRecordProp));
    return link && link->magic == kMagic ? link : nullptr;
}

std::string_view atom_name(ATOM atom, char (&buffer)[kNameSize]) {
    buffer[0] = '\0';
    UINT n = atom ? GlobalGetAtomNameA(atom, buffer, kNameSize) : 0;
    return std::string_view(buffer, n);
}

// An atom of 0 in WM_DDE_INITIATE stands for any application or topic.
bool name_matches(ATOM atom, const char* name) {
    if (!atom) return true;
    char buffer[kNameSize];
    return ts::core::equals_nocase(atom_name(atom, buffer), name);
}

bool item_matches(const Endpoint& end, ATOM item) {
    char buffer[kNameSize];
    return item && end.item[0] && ts::core::equals_nocase(atom_name(item, buffer), end.item);
}

Endpoint endpoint_of(std::string_view directives, std::string_view keyword) {
    Endpoint end{};
    auto match = ts::core::find_keyword(directives, keyword);
    if (!match) return end;
    auto parts = ts::core::split_arguments(match->argument);
    if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) return end;
    ts::core::copy_bounded(end.app, kNameSize, parts[0]);
    ts::core::copy_bounded(end.topic, kNameSize, parts[1]);
    if (parts.size() > 2) ts::core::copy_bounded(end.item, kNameSize, parts[2]);
    end.active = true;
    return end;
}

bool same_endpoint(const Endpoint& a, const Endpoint& b) {
    return a.active == b.active && lstrcmpiA(a.app, b.app) == 0 && lstrcmpiA(a.topic, b.topic) == 0 &&
           lstrcmpiA(a.item, b.item) == 0;
}

ClientEntry* client_entry(DdeLink* link, HWND window) {
    for (ClientEntry& c : link->clients)
        if (c.window && c.window == window) return &c;
    return nullptr;
}

// Global memory with a DDEDATA header and the text; the receiver frees it.
HGLOBAL make_data(const char* text, bool response) {
    std::size_t length = text ? strlen(text) : 0;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, offsetof(DDEDATA, Value) + length + 1);
    auto* data = static_cast<DDEDATA*>(memory ? GlobalLock(memory) : nullptr);
    if (!data) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    data->unused = 0;
    data->fResponse = response ? 1 : 0;
    data->fRelease = 1;
    data->reserved = 0;
    data->fAckReq = 0;
    data->cfFormat = CF_TEXT;
    char* value = reinterpret_cast<char*>(data) + offsetof(DDEDATA, Value);
    if (length) std::memcpy(value, text, length);
    value[length] = '\0';
    GlobalUnlock(memory);
    return memory;
}

void post_data(DdeLink* link, HWND client, bool response, bool withValue) {
    HGLOBAL data = withValue ? make_data(link->value, response) : nullptr;
    if (withValue && !data) return;
    ATOM item = GlobalAddAtomA(link->server.item);
    LPARAM lParam = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(data), item);
    if (!PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(link->agent), lParam)) {
        FreeDDElParam(WM_DDE_DATA, lParam);
        if (data) GlobalFree(data);
        GlobalDeleteAtom(item);
    }
}

void post_ack(HWND to, HWND from, LPARAM lParam, ATOM item) {
    if (!PostMessageA(to, WM_DDE_ACK, reinterpret_cast<WPARAM>(from), lParam)) {
        FreeDDElParam(WM_DDE_ACK, lParam);
        if (item) GlobalDeleteAtom(item);
    }
}

// ---- client end --------------------------------------------------------

void advise_item(DdeLink* link) {
    if (!link->serverWindow || !link->client.item[0] || link->pendingAdvise) return;
    HGLOBAL options = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(DDEADVISE));
    auto* advise = static_cast<DDEADVISE*>(options ? GlobalLock(options) : nullptr);
    if (!advise) {
        if (options) GlobalFree(options);
        return;
    }
    advise->reserved = 0;
    advise->fDeferUpd = 0;
    advise->fAckReq = 0;
    advise->cfFormat = CF_TEXT;
    GlobalUnlock(options);
    ATOM item = GlobalAddAtomA(link->client.item);
    LPARAM lParam = PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), item);
    if (PostMessageA(link->serverWindow, WM_DDE_ADVISE, reinterpret_cast<WPARAM>(link->agent), lParam)) {
        link->pendingAdvise = options;
    } else {
        FreeDDElParam(WM_DDE_ADVISE, lParam);
        GlobalFree(options);
        GlobalDeleteAtom(item);
    }
}

// Looks for a server of the client's application and topic among all
// top-level windows; the first that acknowledges becomes the partner.
void connect_client(DdeLink* link) {
    if (link->serverWindow) return;
    ATOM app = GlobalAddAtomA(link->client.app);
    ATOM topic = GlobalAddAtomA(link->client.topic);
    if (app && topic) {
        link->initiating = true;
        DWORD_PTR result;
        SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(link->agent),
                            MAKELPARAM(app, topic), SMTO_ABORTIFHUNG, 2000, &result);
        link->initiating = false;
    }
    if (app) GlobalDeleteAtom(app);
    if (topic) GlobalDeleteAtom(topic);
    advise_item(link);
}

void on_initiate_ack(DdeLink* link, HWND server, LPARAM lParam) {
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    if (!link || !link->initiating || !IsWindow(server)) return;
    if (!link->serverWindow)
        link->serverWindow = server;
    else if (link->serverWindow != server)  // one server is enough
        PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(link->agent), 0);
}

void on_ack(DdeLink* link, HWND from, LPARAM lParam) {
    UINT_PTR status = 0, item = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lParam, &status, &item)) return;
    FreeDDElParam(WM_DDE_ACK, lParam);
    if (link && link->pendingAdvise && from == link->serverWindow) {
        if (!(status & kAckPositive)) GlobalFree(link->pendingAdvise);
        link->pendingAdvise = nullptr;
    }
    if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
}

void on_data(DdeLink* link, HWND self, HWND server, LPARAM lParam) {
    UINT_PTR handle = 0, itemValue = 0;
    if (!UnpackDDElParam(WM_DDE_DATA, lParam, &handle, &itemValue)) return;
    auto memory = reinterpret_cast<HGLOBAL>(handle);
    auto item = static_cast<ATOM>(itemValue);
    bool release = false, ackRequested = false, accepted = false;
    auto* data = static_cast<DDEDATA*>(memory ? GlobalLock(memory) : nullptr);
    if (data) {
        release = data->fRelease;
        ackRequested = data->fAckReq;
        SIZE_T size = GlobalSize(memory);
        if (link && link->client.active && server == link->serverWindow && item_matches(link->client, item) &&
            data->cfFormat == CF_TEXT && size > offsetof(DDEDATA, Value)) {
            const char* value = reinterpret_cast<const char*>(data) + offsetof(DDEDATA, Value);
            std::string_view text(value, strnlen(value, size - offsetof(DDEDATA, Value)));
            if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.remove_suffix(2);
            helio::LocalText copy(text);
            if (copy.valid()) accepted = SetWindowTextA(link->field, copy.get()) != FALSE;
        }
        GlobalUnlock(memory);
    }
    HWND me = link ? link->agent : self;
    if (ackRequested) {
        LPARAM ack = ReuseDDElParam(lParam, WM_DDE_DATA, WM_DDE_ACK, accepted ? kAckPositive : 0, item);
        post_ack(server, me, ack, item);
    } else {
        FreeDDElParam(WM_DDE_DATA, lParam);
        if (item) GlobalDeleteAtom(item);
    }
    // On a negative acknowledgement the server keeps ownership.
    if (data && release && (accepted || !ackRequested)) GlobalFree(memory);
}

// ---- server end --------------------------------------------------------

void on_initiate(DdeLink* link, HWND client, LPARAM lParam) {
    if (!link || !link->server.active || !IsWindow(client) || client == link->agent) return;
    if (!name_matches(LOWORD(lParam), link->server.app) || !name_matches(HIWORD(lParam), link->server.topic))
        return;
    if (!client_entry(link, client)) {  // the same client may ask twice
        ClientEntry* slot = nullptr;
        for (ClientEntry& c : link->clients)
            if (!c.window) { slot = &c; break; }
        if (!slot) return;
        *slot = ClientEntry{client, false, false};
    }
    ATOM app = GlobalAddAtomA(link->server.app);
    ATOM topic = GlobalAddAtomA(link->server.topic);
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(link->agent), MAKELPARAM(app, topic));
}

void on_advise(DdeLink* link, HWND self, HWND client, LPARAM lParam) {
    UINT_PTR optionsValue = 0, itemValue = 0;
    if (!UnpackDDElParam(WM_DDE_ADVISE, lParam, &optionsValue, &itemValue)) return;
    auto options = reinterpret_cast<HGLOBAL>(optionsValue);
    auto item = static_cast<ATOM>(itemValue);
    ClientEntry* entry = link && link->server.active && item_matches(link->server, item)
                             ? client_entry(link, client) : nullptr;
    bool accepted = false;
    if (entry) {
        auto* advise = static_cast<DDEADVISE*>(options ? GlobalLock(options) : nullptr);
        if (advise && GlobalSize(options) >= sizeof(DDEADVISE) && advise->cfFormat == CF_TEXT) {
            entry->advised = true;
            entry->warm = advise->fDeferUpd;
            accepted = true;
        }
        if (advise) GlobalUnlock(options);
    }
    if (accepted) GlobalFree(options);
    LPARAM ack = ReuseDDElParam(lParam, WM_DDE_ADVISE, WM_DDE_ACK, accepted ? kAckPositive : 0, item);
    post_ack(client, link ? link->agent : self, ack, item);
}

void on_unadvise(DdeLink* link, HWND self, HWND client, LPARAM lParam) {
    ATOM item = HIWORD(lParam);
    ClientEntry* entry = link ? client_entry(link, client) : nullptr;
    bool known = entry && (!item || item_matches(link->server, item));
    if (known) entry->advised = false;
    LPARAM ack = PackDDElParam(WM_DDE_ACK, known ? kAckPositive : 0, item);
    post_ack(client, link ? link->agent : self, ack, item);
}

void on_request(DdeLink* link, HWND self, HWND client, LPARAM lParam) {
    ATOM item = HIWORD(lParam);
    bool served = link && link->server.active && LOWORD(lParam) == CF_TEXT && item_matches(link->server, item) &&
                  client_entry(link, client);
    if (served) {
        post_data(link, client, true, true);
        if (item) GlobalDeleteAtom(item);  // the reply carries an atom of its own
        return;
    }
    post_ack(client, link ? link->agent : self, PackDDElParam(WM_DDE_ACK, 0, item), item);
}

// ---- both ends ---------------------------------------------------------

// A partner ends a conversation: forget it and confirm.  Only known partners
// get the confirmation, so two ends never keep answering each other.
void on_terminate(DdeLink* link, HWND partner) {
    if (!link) return;
    bool known = false;
    if (ClientEntry* entry = client_entry(link, partner)) {
        *entry = ClientEntry{};
        known = true;
    }
    if (link->serverWindow == partner) {
        link->serverWindow = nullptr;
        link->pendingAdvise = nullptr;  // whatever happened to it is the server's now
        known = true;
    }
    if (known) PostMessageA(partner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(link->agent), 0);
}

void handle(HWND self, UINT msg, WPARAM wParam, LPARAM lParam) {
    DdeLink* link = link_of(self);
    auto partner = reinterpret_cast<HWND>(wParam);
    switch (msg) {
    case WM_DDE_INITIATE: on_initiate(link, partner, lParam); break;
    case WM_DDE_TERMINATE: on_terminate(link, partner); break;
    case WM_DDE_ADVISE: on_advise(link, self, partner, lParam); break;
    case WM_DDE_UNADVISE: on_unadvise(link, self, partner, lParam); break;
    case WM_DDE_ACK:
        // Only the answer to WM_DDE_INITIATE is sent rather than posted; it
        // carries plain atoms instead of a packed lParam.
        if ((link && link->initiating) || InSendMessage()) on_initiate_ack(link, partner, lParam);
        else on_ack(link, partner, lParam);
        break;
    case WM_DDE_DATA: on_data(link, self, partner, lParam); break;
    case WM_DDE_REQUEST: on_request(link, self, partner, lParam); break;
    case WM_DDE_POKE: {  // fields take no pokes: refuse, the sender keeps its data
        UINT_PTR data = 0, item = 0;
        if (UnpackDDElParam(WM_DDE_POKE, lParam, &data, &item))
            post_ack(partner, link ? link->agent : self,
                     ReuseDDElParam(lParam, WM_DDE_POKE, WM_DDE_ACK, 0, item), static_cast<ATOM>(item));
        break;
    }
    case WM_DDE_EXECUTE:  // nor commands: the refusal hands the commands back
        post_ack(partner, link ? link->agent : self, PackDDElParam(WM_DDE_ACK, 0, static_cast<UINT_PTR>(lParam)), 0);
        break;
    default: break;
    }
}

LRESULT CALLBACK agent_proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_DDE_FIRST && msg <= WM_DDE_LAST) {
        handle(hWnd, msg, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND create_agent() {
    WNDCLASSA wc{};
    if (!GetClassInfoA(helio::g_instance, kAgentClass, &wc)) {
        wc.lpfnWndProc = agent_proc;
        wc.hInstance = helio::g_instance;
        wc.lpszClassName = kAgentClass;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    }
    return CreateWindowExA(0, kAgentClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, helio::g_instance, nullptr);
}

DdeLink* ensure_link(HWND field) {
    if (DdeLink* link = link_of(field)) return link;
    auto* link = static_cast<DdeLink*>(LocalAlloc(LPTR, sizeof(DdeLink)));
    if (!link) return nullptr;
    link->magic = kMagic;
    link->field = field;
    link->agent = create_agent();
    if (!link->agent || !SetPropA(link->agent, kRecordProp, link) || !SetPropA(field, kRecordProp, link)) {
        if (link->agent) DestroyWindow(link->agent);
        LocalFree(link);
        return nullptr;
    }
    return link;
}

void set_server(DdeLink* link, const Endpoint& end) {
    link->server = end;
    char className[64] = "";
    GetClassNameA(link->field, className, sizeof className);
    bool combo = ts::core::contains_nocase(className, "combobox");
    SetPropA(link->field, combo ? "SERVER1" : "SERVER", reinterpret_cast<HANDLE>(1));
}

void end_conversations(DdeLink* link) {
    auto terminate = [link](HWND partner) {
        PostMessageA(partner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(link->agent), 0);
    };
    for (ClientEntry& c : link->clients)
        if (c.window) terminate(c.window);
    if (link->serverWindow) terminate(link->serverWindow);
}

} // namespace

int WINAPI hlDdeConnect(HWND field, LPCSTR directives) {
    if (!IsWindow(field)) return 0;
    std::string_view d = helio::view_of(directives);
    Endpoint client = endpoint_of(d, "@CLIENT"), server = endpoint_of(d, "@SERVER");
    if (!client.active && !server.active) return 0;
    DdeLink* link = ensure_link(field);
    if (!link) return 0;
    if (server.active) set_server(link, server);
    if (client.active) {
        if (link->serverWindow && !same_endpoint(link->client, client)) {
            PostMessageA(link->serverWindow, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(link->agent), 0);
            link->serverWindow = nullptr;
            link->pendingAdvise = nullptr;
        }
        link->client = client;
        SetPropA(field, "CLIENT", reinterpret_cast<HANDLE>(1));
        connect_client(link);
    }
    return 1;
}

// A field that has not been connected as a server becomes one when a
// WM_DDE_INITIATE reaches it and its directives name "@SERVER".
LRESULT WINAPI hlDdeMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LPCSTR directives) {
    if (msg < WM_DDE_FIRST || msg > WM_DDE_REQUEST || !hWnd) return 0;
    if (msg == WM_DDE_INITIATE) {
        DdeLink* link = link_of(hWnd);
        if (!link || !link->server.active) {
            Endpoint server = endpoint_of(helio::view_of(directives), "@SERVER");
            if (server.active && (link = ensure_link(hWnd)) != nullptr) set_server(link, server);
        }
    }
    handle(hWnd, msg, wParam, lParam);
    return 0;
}

int WINAPI hlDdeAdvise(HWND field, LPCSTR text) {
    DdeLink* link = link_of(field);
    if (!link || !link->server.active) return 0;
    ts::core::copy_bounded(link->value, kValueSize, helio::view_of(text));
    for (ClientEntry& c : link->clients)
        if (c.window && c.advised) post_data(link, c.window, false, !c.warm);
    return 1;
}

int WINAPI hlDdeRequest(HWND field) {
    DdeLink* link = link_of(field);
    if (!link || !link->client.active) return 0;
    connect_client(link);
    if (link->serverWindow && link->client.item[0]) {
        ATOM item = GlobalAddAtomA(link->client.item);
        if (item && !PostMessageA(link->serverWindow, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(link->agent),
                                  MAKELPARAM(CF_TEXT, item)))
            GlobalDeleteAtom(item);
    }
    return 1;
}

int WINAPI hlDdeTerminate(HWND field) {
    if (!field) return 0;
    DdeLink* link = link_of(field);
    RemovePropA(field, "CLIENT");
    RemovePropA(field, "SERVER");
    RemovePropA(field, "SERVER1");
    RemovePropA(field, kRecordProp);
    if (!link) return 0;
    end_conversations(link);
    RemovePropA(link->agent, kRecordProp);
    DestroyWindow(link->agent);
    link->magic = 0;
    LocalFree(link);
    return 1;
}
