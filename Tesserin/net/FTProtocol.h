// The file-transfer wire format (32-bit little-endian integers, a 255-byte request field, content
// in blocks of 4096) and the messages its sockets send to their dialogs.
#pragma once

#include "mfc.h"

#include <cstdint>
#include <string>

#define WM_FT_RECEIVE_START (WM_USER + 300)
#define WM_FT_RECEIVE_END (WM_USER + 301)
#define WM_FT_RECEIVE_FILE_NAME (WM_USER + 302)
#define WM_FT_RECEIVE_FILE_LENGTH (WM_USER + 303)
#define WM_FT_RECEIVE_FILE_BLOCK (WM_USER + 304)
#define WM_FT_SEND_FILE_BLOCK (WM_USER + 305)

namespace ft {

const uint32_t kReady = 1000;
const uint32_t kFile = 1500;
const uint32_t kRefused = 2000;

const int kPathFieldSize = 255;
const int kMaxNameLength = 255;  // L counts the path's NUL
const int kBlockSize = 4096;

// lParam codes of WM_FT_SEND_FILE_BLOCK.
const LPARAM kSendNumber = 0, kSendPeer = 1, kSendPath = 2, kSendNote = 3, kSendRefused = 9;
// Numbers reported with kSendNumber besides percentages.
const WPARAM kSendOpenFailed = 900, kSendDone = 200;
// wParam of WM_FT_RECEIVE_END on failure; lParam of WM_FT_RECEIVE_FILE_BLOCK for a refusal.
const WPARAM kReceiveFailed = 9;
const LPARAM kBlockRefused = 9;

// Reads exactly `size` bytes (a socket may hand them over in pieces); false when the
// connection ends or fails first.
bool ReadFull(CSocket& socket, void* buffer, int size);
bool ReadUInt32(CSocket& socket, uint32_t& value);
bool SendUInt32(CSocket& socket, uint32_t value);

// The request field: the path's bytes, zero-filled; a longer path is cut at 254 bytes.
void FillPathField(const char* path, char (&field)[kPathFieldSize]);
// The path a received field holds: up to its NUL, and never more than 254 bytes.
std::string PathOfField(const char (&field)[kPathFieldSize]);

// Progress in percent, counted in kilobytes for files of 1024 bytes or more.
int Percent(uint64_t done, uint64_t total);

}  // namespace ft
