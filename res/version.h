/* The program's version, for the version resource and anything else that shows it. */
#ifndef QUILLMARSH_VERSION_H
#define QUILLMARSH_VERSION_H

#define QM_VERSION_MAJOR 1
#define QM_VERSION_MINOR 0
#define QM_VERSION_PATCH 0
#define QM_VERSION_BUILD 0
#define QM_VERSION_TEXT "1.0.0.0"
#define QM_PRODUCT_VERSION_TEXT "1.0"

#endif
