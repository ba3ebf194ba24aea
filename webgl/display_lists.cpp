#define VL_WEBGL_NO_RENAMING
#include "webgl/display_lists.h"

#include <map>
#include <vector>

#include "webgl/immediate_mode.h"

namespace {

struct Command {
    ListCommand kind;
    GLenum mode;
    GLfloat v[4];
};

std::map<GLuint, std::vector<Command>> lists;
GLuint nextName = 1;
GLuint compiling = 0;
std::vector<Command> recorded;

void replay(const std::vector<Command>& commands) {
    for (const Command& c : commands) {
        switch (c.kind) {
        case ListCommand::Begin:
            vlBegin(c.mode);
            break;
        case ListCommand::End:
            vlEnd();
            break;
        case ListCommand::Vertex:
            vlVertex3f(c.v[0], c.v[1], c.v[2]);
            break;
        case ListCommand::Normal:
            vlNormal3f(c.v[0], c.v[1], c.v[2]);
            break;
        case ListCommand::TexCoord:
            vlTexCoord2f(c.v[0], c.v[1]);
            break;
        case ListCommand::Color:
            vlColor4f(c.v[0], c.v[1], c.v[2], c.v[3]);
            break;
        }
    }
}

}  // namespace

bool compilingList() { return compiling != 0; }

void recordCommand(ListCommand kind, GLenum mode, GLfloat a, GLfloat b, GLfloat c, GLfloat d) {
    recorded.push_back({kind, mode, {a, b, c, d}});
}

extern "C" {

GLuint glGenLists(GLsizei range) {
    if (range <= 0) return 0;
    const GLuint first = nextName;
    nextName += static_cast<GLuint>(range);
    return first;
}

// Only GL_COMPILE is used: the list is recorded, not drawn.
void glNewList(GLuint list, GLenum) {
    if (list == 0 || compiling != 0) return;
    compiling = list;
    recorded.clear();
}

void glEndList(void) {
    if (compiling == 0) return;
    lists[compiling].swap(recorded);
    recorded.clear();
    compiling = 0;
}

void glCallList(GLuint list) {
    const auto found = lists.find(list);
    if (found == lists.end()) return;
    holdPrimitives();
    replay(found->second);
    releasePrimitives();
}

}  // extern "C"
