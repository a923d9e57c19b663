// SPDX-License-Identifier: MIT
// Saves a book as the program does, for the file tests that need another user
// to save it: book_file_writer <path> <file text>. Exit status 0 when saved;
// otherwise the message goes to the standard error.
#include <cstdio>

#include "book/book_file.h"
#include "platform/app_error.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: book_file_writer <path> <file text>\n", stderr);
        return 2;
    }
    AddressBook book;
    ParseBookText(argv[2], book);
    try {
        WriteBookFile(argv[1], book);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
