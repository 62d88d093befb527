// Forward declarations of the persistence classes.
#pragma once

class CPack;
class CETFStream;
