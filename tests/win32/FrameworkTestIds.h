// Ids of the framework test's templates.
#pragma once

#define IDD_FRAMEWORK_DIALOG 201
#define IDD_FRAMEWORK_PAGE_1 202
#define IDD_FRAMEWORK_PAGE_2 203
#define IDD_FRAMEWORK_PAGE_3 204
