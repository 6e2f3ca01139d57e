// The resource groups attach to this library; a static library needs one object file of its own.
namespace assets_anchor {
int unused = 0;
}
