// The page around the program: options from the address, the canvas for
// the GL and one for the text above it, messages instead of a blank canvas
// when something is missing, keys for the canvas only while it has focus,
// full screen on a gesture, recordings to replay (from the address or
// dropped on the page), and the test hook window.vennaloft.
(function () {
  'use strict';
  var canvas = document.getElementById('canvas');
  var stage = document.getElementById('stage');
  var message = document.getElementById('message');
  var replayLine = document.getElementById('replay');

  function say(text) {
    message.textContent = text;
    message.style.display = 'flex';
  }

  // "?nr=45&radius=8&seed=42&f" becomes "-nr 45 -radius 8 -seed 42 -f",
  // read by the program exactly as its command line.
  function addressArguments(search) {
    var words = [];
    search.replace(/^\?/, '').split('&').forEach(function (pair) {
      if (pair === '') return;
      var at = pair.indexOf('=');
      var name = decodeURIComponent(at < 0 ? pair : pair.slice(0, at));
      // A recording reaches the program as a file the page fetched, never by name.
      if (name === 'replay' || name === 'record') return;
      words.push('-' + name);
      if (at >= 0) words.push(decodeURIComponent(pair.slice(at + 1).replace(/\+/g, ' ')));
    });
    return words;
  }
  var words = addressArguments(location.search);
  var fullScreenAsked = words.indexOf('-f') >= 0;

  var probe = document.createElement('canvas');
  if (!(probe.getContext('webgl') || probe.getContext('experimental-webgl'))) {
    say('This browser gives the page no WebGL, which Vennaloft needs to draw. ' +
        'Turn on hardware acceleration or WebGL in its settings, or try another browser.');
    window.vennaloft = { error: 'no WebGL' };
    return;
  }

  var started = false;
  var firstFrameAt = null;
  var replayName = null;      // the recording being replayed
  var checkingDrop = null;    // the dropped file the running program is reading
  var diverged = null;
  window.vennaloft = {
    stats: function () {
      if (!started) return null;
      var s = function (i) { return Module._vl_stat(i); };
      return { stepsPerSecond: s(0), framesPerSecond: s(1), balls: s(2), shots: s(3),
               paused: s(4) !== 0, timeStep: s(5) };
    },
    // Sound: the browser's audio running (after a click or key) and the cues decoded.
    sound: function () {
      return started ? { running: Module._vl_stat(6) !== 0, cuesDecoded: Module._vl_stat(7) } : null;
    },
    firstFrameAt: function () { return firstFrameAt; },
    ended: false
  };

  window.Module = {
    canvas: canvas,
    textOverlay: document.getElementById('text'),
    // The cues are decoded from the packed files when loaded, not beforehand.
    noAudioDecoding: true,
    onRuntimeInitialized: function () { started = true; },
    onFirstFrame: function () { firstFrameAt = performance.now(); },
    onProgramEnded: function () {
      window.vennaloft.ended = true;
      say('Ended (Escape). Reload the page to start again.');
    },
    onAbort: function (what) { say('Vennaloft stopped: ' + what); },
    onReplayStarted: function (steps, seed, balls, radius) {
      showReplay('Replaying ' + replayName + ': ' + steps + ' steps recorded with seed ' + (seed >>> 0) + ', ' +
                 balls + ' balls of radius ' + radius + '.');
    },
    onReplayRefused: function (reason) {
      if (checkingDrop !== null) {
        showReplay('cannot replay ' + checkingDrop + ': ' + reason);
      } else {
        refuseAtStart(replayName, reason);
      }
    },
    // The replay's verdicts go to the line under the canvas as well.
    printErr: function (text) {
      if (!/^replay /.test(text)) {
        console.warn(text);
        return;
      }
      console.log(text);
      if (/^replay diverges/.test(text)) diverged = text;
      showReplay(replayName + ': ' + (diverged !== null && diverged !== text ? diverged + '; ' + text : text));
    }
  };

  function showReplay(text) { replayLine.textContent = text; }

  // Nothing starts with a recording that cannot be had or trusted, as on the desktop.
  function refuseAtStart(name, reason) {
    showReplay('cannot replay ' + name + ': ' + reason);
    say('The recording ' + name + ' cannot be replayed: ' + reason +
        '. Drop another recording on the page, or leave replay out of the address.');
    window.vennaloft.ended = true;
  }

  // A failed download of the textures and sounds surfaces as an uncaught
  // error from the loader; say so rather than leave the canvas blank.
  window.addEventListener('error', function (event) {
    var text = String(event.message || event.error || '');
    if (/vennaloft\.data|NetworkError|Not Found|File not found/i.test(text)) {
      say('The textures and sounds (vennaloft.data) could not be loaded: ' + text +
          '. Serve the whole build/web folder, vennaloft.data included.');
    } else if (!window.vennaloft.ended) {
      say('Vennaloft stopped: ' + text);
    }
  });

  // Keys belong to the program only while the canvas has focus; a held
  // key's repeats are dropped when the program asks (capture phase, so this
  // runs before the toolkit's own listener).
  // Escape ends the program, which unwinds out of the call with the
  // runtime's exit status: it is made here, where that is expected, rather
  // than in the toolkit's listener, where it would surface as an error.
  function filterKey(event) {
    if (document.activeElement !== canvas || (event.type === 'keydown' && event.repeat && Module.ignoreKeyRepeat)) {
      event.stopImmediatePropagation();
      return;
    }
    if (event.key === 'Escape') {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type !== 'keydown' || !started || window.vennaloft.ended) return;
      try {
        Module._vl_escape();
      } catch (thrown) {
        if (!thrown || thrown.name !== 'ExitStatus') throw thrown;
      }
    }
  }
  window.addEventListener('keydown', filterKey, true);
  window.addEventListener('keyup', filterKey, true);
  window.addEventListener('keypress', filterKey, true);

  function call(name) { if (started && !window.vennaloft.ended) Module[name](); }
  canvas.addEventListener('mouseleave', function () { call('_vl_pointer_left'); });
  canvas.addEventListener('mouseenter', function () { call('_vl_pointer_entered'); });
  window.addEventListener('blur', function () { call('_vl_pointer_left'); });
  document.addEventListener('visibilitychange', function () {
    call(document.hidden ? '_vl_page_hidden' : '_vl_page_shown');
  });

  function goFullScreen() {
    if (stage.requestFullscreen) stage.requestFullscreen();
    canvas.focus();
  }
  document.addEventListener('fullscreenchange', function () {
    var full = document.fullscreenElement === stage;
    var width = full ? screen.width : 640, height = full ? screen.height : 480;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    if (started) Module.setCanvasSize(width, height);
  });
  document.getElementById('fullscreen').addEventListener('click', goFullScreen);
  // The right button fires and follows a shot; no menu over the picture.
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  canvas.addEventListener('mousedown', function () {
    canvas.focus();
    if (fullScreenAsked) {
      fullScreenAsked = false;
      goFullScreen();
    }
  });
  Array.prototype.forEach.call(document.querySelectorAll('button[data-key]'), function (button) {
    button.addEventListener('click', function () {
      if (started && !window.vennaloft.ended) Module._vl_special_key(Number(button.dataset.key));
      canvas.focus();
    });
  });
  canvas.focus();

  // A dropped recording is read by the running program's reader first: a
  // file it refuses leaves the demo as it is. One it accepts goes to a fresh
  // start of the page (through sessionStorage, as text of byte values), which
  // lays the scene out from the file's options exactly as the desktop does
  // for -replay; nothing of the demo that ran can leak into the replay.
  var droppedKey = 'vennaloft.droppedRecording';
  function replayAfterReload(name, bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    try {
      sessionStorage.setItem(droppedKey, JSON.stringify({ name: name, text: text }));
    } catch (error) {
      showReplay('cannot replay ' + name + ': the browser cannot hold it for the page (' + bytes.length + ' bytes)');
      return;
    }
    location.reload();
  }
  function takeDroppedRecording() {
    var stored = null;
    try {
      stored = JSON.parse(sessionStorage.getItem(droppedKey));
      sessionStorage.removeItem(droppedKey);
    } catch (error) {
      return null;
    }
    if (!stored) return null;
    var bytes = new Uint8Array(stored.text.length);
    for (var i = 0; i < bytes.length; i++) bytes[i] = stored.text.charCodeAt(i);
    return { name: stored.name, bytes: bytes };
  }
  document.addEventListener('dragover', function (event) { event.preventDefault(); });
  document.addEventListener('drop', function (event) {
    event.preventDefault();
    var file = event.dataTransfer && event.dataTransfer.files[0];
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      var bytes = new Uint8Array(buffer);
      if (!started || window.vennaloft.ended) {
        replayAfterReload(file.name, bytes);
        return;
      }
      Module.FS_createDataFile('/', 'dropped.vlr', bytes, true, false, false);
      checkingDrop = file.name;
      var accepted = Module._vl_check_dropped_replay();
      checkingDrop = null;
      Module.FS_unlink('/dropped.vlr');
      if (accepted) replayAfterReload(file.name, bytes);
    });
  });

  function loadProgram(recording) {
    Module.arguments = words;
    if (recording) {
      replayName = recording.name;
      words.push('-replay', '/recording.vlr');
      Module.preRun = [function () {
        Module.FS_createDataFile('/', 'recording.vlr', recording.bytes, true, false, false);
      }];
    }
    var script = document.createElement('script');
    script.src = 'vennaloft.js';
    document.body.appendChild(script);
  }

  // "?replay=NAME": a recording of this site, fetched before the program loads.
  function fetchRecording(address) {
    var url = new URL(address, location.href);
    if (url.origin !== location.origin) {
      refuseAtStart(address, 'not a file of this site');
      return;
    }
    showReplay('Loading ' + address + ' ...');
    fetch(url).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then(function (buffer) {
      loadProgram({ name: address, bytes: new Uint8Array(buffer) });
    }, function (error) {
      refuseAtStart(address, 'could not be loaded (' + error.message + ')');
    });
  }

  var dropped = takeDroppedRecording();
  var asked = new URLSearchParams(location.search).get('replay');
  if (dropped) {
    loadProgram(dropped);
  } else if (asked !== null && asked !== '') {
    fetchRecording(asked);
  } else {
    loadProgram(null);
  }
})();
