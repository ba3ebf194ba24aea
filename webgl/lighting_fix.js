// Mends the emulation's lighting, in the vertex shader text it generates:
// a light with w = 1 shines from its position (the emulation treats every
// light as directional), and normals are used as given, not renormalised
// (GL_NORMALIZE is off). Pillars lit from the light above them and the sky
// quad, drawn with a tiny normal, depend on both.
// The compat check page turns this off with "?nofix=lighting" to show what
// it mends.
(function () {
  if (typeof WebGLRenderingContext === 'undefined') return;
  if (typeof location !== 'undefined' && /[?&]nofix=lighting\b/.test(location.search)) return;
  // Each program the page starts runs this again; the text is mended once.
  if (WebGLRenderingContext.prototype.shaderSource.vlMended) return;
  var original = WebGLRenderingContext.prototype.shaderSource;
  WebGLRenderingContext.prototype.shaderSource = function (shader, source) {
    source = source
      .replace('vec3 ecNormal = normalize(u_normalMatrix * a_normal);', 'vec3 ecNormal = u_normalMatrix * a_normal;')
      .replace(/vec3 lightDirection = normalize\((u_lightPosition\d+)\)\.xyz;/g, function (line, light) {
        return 'vec3 lightDirection = normalize(' + light + '.w == 0.0 ? ' + light + '.xyz : ' +
               light + '.xyz - ecPosition.xyz);';
      });
    return original.call(this, shader, source);
  };
  WebGLRenderingContext.prototype.shaderSource.vlMended = true;
})();
