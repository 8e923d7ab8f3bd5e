/*
 * libtolvane: Chinese text through a Tolvane mapping table (for example
 * simplified to traditional characters), for C programs and any language
 * that calls C.
 *
 * Conventions:
 * - Text is UTF-8 (char) or UTF-16 (uint16_t) with an explicit size; it may
 *   hold NUL. Names, paths and encoding names are NUL-terminated UTF-8.
 * - Every call that can fail returns a tolvane_status: TOLVANE_OK (0) or the
 *   reason it failed. Given a non-NULL `error`, a failed call also stores a
 *   tolvane_error there, which the caller releases with tolvane_error_free;
 *   a call that succeeds stores NULL. Nothing else is changed by a call that
 *   failed, unless its description says so.
 * - Encodings are named as tolvane-cli's -e names them, in any case: "auto"
 *   (or NULL), "gbk" (or "cp936"), "utf-8", "utf-16le", "utf-16be", and any
 *   that later versions add. Bytes that do not decode are kept byte for byte.
 * - A table does not change once opened: any number of threads may use one
 *   at once. A stream is used by one thread at a time. The library keeps no
 *   state of its own between calls; no call affects another's.
 * - The callbacks are called on the caller's thread and must return normally.
 */
#ifndef TOLVANE_H
#define TOLVANE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(TOLVANE_BUILDING_LIBRARY)
#define TOLVANE_API __declspec(dllexport)
#else
#define TOLVANE_API __declspec(dllimport)
#endif
#else
#define TOLVANE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define TOLVANE_NOEXCEPT noexcept
extern "C" {
#else
#define TOLVANE_NOEXCEPT
#endif

/* The version of the library actually loaded, "0.95". */
TOLVANE_API const char* tolvane_version(void) TOLVANE_NOEXCEPT;

typedef enum tolvane_status {
    TOLVANE_OK = 0,
    /* A NULL where a pointer is needed, an unknown flag, a stream used after its last piece. */
    TOLVANE_ERROR_ARGUMENT = 1,
    /* An encoding name not known, or an output encoding this version cannot write. */
    TOLVANE_ERROR_ENCODING = 2,
    /* No table of that name or path, or its file cannot be read. */
    TOLVANE_ERROR_TABLE = 3,
    /* The output does not fit: *output_size says how many bytes it needs. */
    TOLVANE_ERROR_SPACE = 4,
    /* The file system refused: tolvane_error_number says how (TOLVANE_FILE_...). */
    TOLVANE_ERROR_FILE = 5,
    /* Not a text file (a NUL byte in its first 8 KiB): left alone. */
    TOLVANE_ERROR_NOT_TEXT = 6,
    /* The stop function said stop: the file is back at its path, unconverted. */
    TOLVANE_ERROR_STOPPED = 7,
    /* The conversion failed and the original could not be put back at its
       path: it is safe in its backup folder (backup_path, and the message). */
    TOLVANE_ERROR_NOT_RESTORED = 8,
    /* The output encoding cannot hold the converted text: nothing is written,
       a file stays untouched. */
    TOLVANE_ERROR_UNREPRESENTABLE = 9,
    TOLVANE_ERROR_MEMORY = 10,
    /* A fault of the library itself; the message says what. */
    TOLVANE_ERROR_INTERNAL = 11
} tolvane_status;

/* How the file system refused (tolvane_error_number with TOLVANE_ERROR_FILE). */
enum {
    TOLVANE_FILE_TOO_LARGE = 7,
    TOLVANE_FILE_SYSTEM_ERROR = 51,
    TOLVANE_FILE_INVALID_PATH = 52,
    TOLVANE_FILE_NOT_FOUND = 53,
    TOLVANE_FILE_BUSY = 55, /* another conversion holds the file right now */
    TOLVANE_FILE_IO_ERROR = 57,
    TOLVANE_FILE_EXISTS = 58,
    TOLVANE_FILE_DISK_FULL = 61,
    TOLVANE_FILE_PERMISSION_DENIED = 70,
    TOLVANE_FILE_NOT_REGULAR = 75, /* a folder, FIFO, socket or device */
    TOLVANE_FILE_PATH_NOT_FOUND = 76
};

/* Why a call failed. */
typedef struct tolvane_error tolvane_error;
TOLVANE_API tolvane_status tolvane_error_code(const tolvane_error* error) TOLVANE_NOEXCEPT;
/* The number behind the failure (TOLVANE_FILE_... for file errors), else 0. */
TOLVANE_API int32_t tolvane_error_number(const tolvane_error* error) TOLVANE_NOEXCEPT;
/* A description for people, in Chinese as tolvane-cli gives it, UTF-8. */
TOLVANE_API const char* tolvane_error_message(const tolvane_error* error) TOLVANE_NOEXCEPT;
/* Does nothing with NULL. */
TOLVANE_API void tolvane_error_free(tolvane_error* error) TOLVANE_NOEXCEPT;

/* ---- Tables ---- */

typedef struct tolvane_table tolvane_table;

/* Flags of tolvane_table_open. */
enum {
    /* Characters alone: the table's phrase rules (词组/NAME.txt beside it) are not used. */
    TOLVANE_CHARACTERS_ONLY = 1
};

/* Opens a table as tolvane-cli -t does: a path when `table` holds a path
   separator or names an existing file, otherwise a name as tolvane_list_tables
   gives it, ".txt" optional. Its phrase rules come with it unless flags say
   otherwise. */
TOLVANE_API tolvane_status tolvane_table_open(const char* table, unsigned flags,
                                              tolvane_table** result,
                                              tolvane_error** error) TOLVANE_NOEXCEPT;
/* The file the table was read from. Valid until the table is freed. */
TOLVANE_API const char* tolvane_table_path(const tolvane_table* table) TOLVANE_NOEXCEPT;
/* The phrase rules the table converts with. */
TOLVANE_API size_t tolvane_table_phrases(const tolvane_table* table) TOLVANE_NOEXCEPT;
/* Nonzero when no line of the file mapped anything, so every conversion
   changes nothing: most likely not a table (empty, LF line ends, another
   encoding). tolvane-cli warns about it. */
TOLVANE_API int tolvane_table_maps_nothing(const tolvane_table* table) TOLVANE_NOEXCEPT;
/* Does nothing with NULL. Streams opened on the table stay usable. */
TOLVANE_API void tolvane_table_free(tolvane_table* table) TOLVANE_NOEXCEPT;

/* Calls visit for every table the library finds, in name order: the shipped
   ones and the user's own, as tolvane-cli -l lists them. `name` is the file
   name ("简体到繁体.txt"); both strings are valid during the call only. */
typedef void (*tolvane_table_visitor)(const char* name, const char* path, void* context);
TOLVANE_API tolvane_status tolvane_list_tables(tolvane_table_visitor visit, void* context,
                                               tolvane_error** error) TOLVANE_NOEXCEPT;

/* ---- Text ---- */

/* UTF-16 code units, any of them: output gets exactly `length` units and may
   be the same array as input. */
TOLVANE_API tolvane_status tolvane_convert_utf16(const tolvane_table* table, const uint16_t* input,
                                                 size_t length, uint16_t* output,
                                                 tolvane_error** error) TOLVANE_NOEXCEPT;

/* Room that is always enough for the output of `size` input bytes, in any
   encoding to any other (a byte may become a four-byte character, and an
   added byte-order mark). For sizes below SIZE_MAX / 4. */
#define TOLVANE_OUTPUT_BOUND(size) (4 * (size_t)(size) + 4)

/* A UTF-8 text, whole: a character cut off at its end, like any byte that
   does not decode, is kept as it is. *output_size gets the output's size on
   success and with TOLVANE_ERROR_SPACE, when the output's bytes are left
   unspecified; output may be NULL when capacity is 0, to learn the size. */
TOLVANE_API tolvane_status tolvane_convert_utf8(const tolvane_table* table, const char* input,
                                                size_t size, char* output, size_t capacity,
                                                size_t* output_size,
                                                tolvane_error** error) TOLVANE_NOEXCEPT;

/* The bytes of a whole text in an encoding, as a file's contents are
   converted: with "auto" a byte-order mark decides and is kept; otherwise the
   text is UTF-8 when it is valid UTF-8 as a whole with a character beyond
   ASCII, else the Chinese code page the text shows (GBK, GB18030 or BIG5;
   GBK when it shows none clearly). output_encoding NULL writes the encoding
   read; another begins with a byte-order mark when it is UTF-16, and when it
   is UTF-8 and the text read had one. encoding_read, when not
   NULL, gets the name of the encoding read ("GBK", "UTF-8", ...), a static
   string. The output's size and room as tolvane_convert_utf8. */
TOLVANE_API tolvane_status tolvane_convert_buffer(const tolvane_table* table, const char* encoding,
                                                  const char* output_encoding, const void* input,
                                                  size_t size, void* output, size_t capacity,
                                                  size_t* output_size, const char** encoding_read,
                                                  tolvane_error** error) TOLVANE_NOEXCEPT;

/* ---- Streams: a text that arrives in pieces of any size ---- */

typedef struct tolvane_stream tolvane_stream;

/* Encodings as tolvane_convert_buffer, except that "auto" decides by the
   first MiB of the text (or all of it, when shorter), as tolvane-cli does on
   a pipe: output starts once that much has arrived. The stream keeps its own
   reference to the table. */
TOLVANE_API tolvane_status tolvane_stream_open(const tolvane_table* table, const char* encoding,
                                               const char* output_encoding, tolvane_stream** result,
                                               tolvane_error** error) TOLVANE_NOEXCEPT;
/* Takes every byte of input and gives the bytes converted so far: a
   character cut at the end of a piece, and characters a phrase rule might
   still cover together with the next piece, wait for it. The result does not
   depend on where the text is cut. With `last` nonzero the text ends here and
   everything is given out. *output (NULL when *output_size is 0) stays valid
   until the next call on the stream or its end. */
TOLVANE_API tolvane_status tolvane_stream_convert(tolvane_stream* stream, const void* input,
                                                  size_t size, int last, const void** output,
                                                  size_t* output_size,
                                                  tolvane_error** error) TOLVANE_NOEXCEPT;
/* The name of the encoding the text is read in; NULL while "auto" has not yet decided. */
TOLVANE_API const char* tolvane_stream_encoding(const tolvane_stream* stream) TOLVANE_NOEXCEPT;
/* Does nothing with NULL. */
TOLVANE_API void tolvane_stream_free(tolvane_stream* stream) TOLVANE_NOEXCEPT;

/* ---- Files, converted in place ----
   As tolvane-cli converts them: the original is moved into a numbered backup
   folder beside the file (~Vebzo01.bak, ...), the converted text is written to
   a temporary file beside it, flushed to disk and renamed to the file's name
   (never replacing a file), with the original's permissions. A file that is
   not text, not a regular file, or being converted by someone else is left
   alone; any failure after the move puts the original back. A symbolic link
   converts the file it names and stays a link. */

/* Asked after every MiB of a file: nonzero stops, the file put back. */
typedef int (*tolvane_stop_function)(void* context);

typedef struct tolvane_file_options {
    const char* encoding;        /* NULL: "auto", detected as tolvane_convert_buffer does */
    const char* output_encoding; /* NULL: the encoding read */
    tolvane_stop_function stop;  /* NULL: never stops */
    void* stop_context;
} tolvane_file_options;

#define TOLVANE_PATH_SIZE 4096

typedef struct tolvane_file_result {
    tolvane_status status;
    /* The encoding the text was read in, a static string; NULL when not read. */
    const char* encoding;
    /* Where the unconverted original is now, when not at the file's path:
       its backup folder (converted, or TOLVANE_ERROR_NOT_RESTORED). Empty
       otherwise, and when the path needs more than TOLVANE_PATH_SIZE bytes. */
    char backup_path[TOLVANE_PATH_SIZE];
} tolvane_file_result;

/* One file. options may be NULL; result may be NULL. */
TOLVANE_API tolvane_status tolvane_convert_file(const tolvane_table* table, const char* path,
                                                const tolvane_file_options* options,
                                                tolvane_file_result* result,
                                                tolvane_error** error) TOLVANE_NOEXCEPT;

/* Many files, in order, flushed to disk in groups: many small files cost a
   fraction of one call each. results (count of them) is required; errors, an
   array of count pointers, may be NULL. A failed file does not stop the
   others; when stop says stop, the file at hand is put back, those before it
   stay converted and those after it get TOLVANE_ERROR_STOPPED untouched.
   Returns TOLVANE_OK when every file was converted, else the status of the
   first that was not. */
TOLVANE_API tolvane_status tolvane_convert_files(const tolvane_table* table,
                                                 const char* const* paths, size_t count,
                                                 const tolvane_file_options* options,
                                                 tolvane_file_result* results,
                                                 tolvane_error** errors) TOLVANE_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* TOLVANE_H */
