// The page around the program: options from the address, the canvas sized
// to its stage, touch on the canvas, a progress line while loading, plain
// messages when something is missing, keys for the canvas only while it has
// focus, full screen on a gesture, recordings to replay (from the address or
// dropped on the page), a fresh start after Escape, and the test hook
// window.vennaloft.
(function () {
  'use strict';
  var stage = document.getElementById('stage');
  var canvas = document.getElementById('canvas');
  var overlay = document.getElementById('text');
  var message = document.getElementById('message');
  var messageText = document.getElementById('message-text');
  var restartButton = document.getElementById('restart');
  var loading = document.getElementById('loading');
  var replayLine = document.getElementById('replay');
  var focusLine = document.getElementById('focus-line');
  var keyList = document.getElementById('keylist');
  var followButton = document.getElementById('follow');

  // Listeners of the canvas, kept to be added again to a fresh canvas.
  var canvasListeners = [];
  function onCanvas(type, listener, options) {
    canvasListeners.push({ type: type, listener: listener, options: options });
    canvas.addEventListener(type, listener, options);
  }

  // Why stats() has no figures, while it has none.
  var notRunning = 'the program is still loading';

  function say(text, canStartAgain) {
    messageText.textContent = text;
    restartButton.hidden = !canStartAgain;
    message.style.display = 'flex';
    loading.style.display = 'none';
  }
  function showLoading(text) {
    loading.textContent = text;
    loading.style.display = text ? 'flex' : 'none';
  }
  function fail(text, reason) {
    notRunning = reason;
    say(text, false);
    setControlsEnabled(false);
  }

  // The options in the address ("?nr=45&radius=8&seed=42&f") are read by
  // the program itself, as its command line. "-f" comes back here: full
  // screen needs a gesture, so it waits for the first click (once a page).
  var fullScreenAsked = false;
  var fullScreenTaken = false;

  var program = null;         // the running instance
  var started = false;
  var ended = false;
  var firstFrameAt = null;
  var replayName = null;      // the recording being replayed
  var checkingDrop = null;    // the dropped file the running program is reading
  var diverged = null;
  var lastRecording = null;   // what the program started with, for a fresh start
  function running() { return started && !ended; }

  window.vennaloft = {
    // The help overlay's own figures, or { reason } saying why there are none.
    stats: function () {
      if (!running()) return { reason: ended && started ? 'the demo has ended (Escape)' : notRunning };
      var s = function (i) { return program._vl_stat(i); };
      return { stepsPerSecond: s(0), framesPerSecond: s(1), balls: s(2), shots: s(3),
               paused: s(4) !== 0, timeStep: s(5) };
    },
    // Sound: the browser's audio running (after a click or key) and the cues decoded.
    sound: function () {
      return running() ? { running: program._vl_stat(6) !== 0, cuesDecoded: program._vl_stat(7) } : null;
    },
    firstFrameAt: function () { return firstFrameAt; },
    // For the picture check: the glow spheres' pulse held still (see web_main.cpp).
    // The drawing buffer's size, which the page sets from the stage.
    canvasSize: function () { return { width: canvas.width, height: canvas.height }; },
    ended: false
  };

  // Buttons press keys only while the program runs.
  function setControlsEnabled(on) {
    Array.prototype.forEach.call(document.querySelectorAll('#touch button, #function-keys button[data-special]'),
                                 function (button) { button.disabled = !on; });
  }
  setControlsEnabled(false);

  if (location.protocol === 'file:') {
    fail('This page cannot run from a file: the browser does not let it read the program and its textures. ' +
         'Serve the folder instead, e.g. `make serve-web`, and open the address it prints.',
         'the page was opened from a file, not served');
    return;
  }
  var probe = document.createElement('canvas');
  if (!(probe.getContext('webgl') || probe.getContext('experimental-webgl'))) {
    fail('This browser gives the page no WebGL, which Vennaloft needs to draw. ' +
         'Turn on hardware acceleration or WebGL in its settings, or try another browser.', 'no WebGL');
    window.vennaloft.error = 'no WebGL';
    return;
  }

  // ---- Size: the stage's size times the screen's pixel ratio, with a
  // ceiling on the pixels so that a 4K screen keeps the step rate.
  var kMaxPixels = 1920 * 1080;
  function bufferSize() {
    var box = stage.getBoundingClientRect();
    var ratio = window.devicePixelRatio || 1;
    var width = Math.max(1, Math.round(box.width * ratio));
    var height = Math.max(1, Math.round(box.height * ratio));
    if (width * height > kMaxPixels) {
      var scale = Math.sqrt(kMaxPixels / (width * height));
      width = Math.floor(width * scale);
      height = Math.floor(height * scale);
    }
    return { width: width, height: height };
  }
  function fitCanvas() {
    var size = bufferSize();
    if (canvas.width === size.width && canvas.height === size.height) return;
    canvas.width = size.width;
    canvas.height = size.height;
    if (running()) program._vl_window_size(size.width, size.height);
  }
  if (window.ResizeObserver) new ResizeObserver(function () { if (running()) fitCanvas(); }).observe(stage);
  window.addEventListener('resize', function () { if (running()) fitCanvas(); });

  // ---- Keys belong to the program only while the canvas has focus; a held
  // key's repeats are dropped when the program asks (capture phase, so this
  // runs before the toolkit's own listener). Tab is the browser's, to move on.
  // Escape ends the program, which unwinds out of the call with the
  // runtime's exit status: it is made here, where that is expected, rather
  // than in the toolkit's listener, where it would surface as an error.
  function filterKey(event) {
    if (document.activeElement !== canvas || event.key === 'Tab' ||
        (event.type === 'keydown' && event.repeat && program && program.ignoreKeyRepeat)) {
      event.stopImmediatePropagation();
      return;
    }
    if (event.key === 'Escape') {
      event.stopImmediatePropagation();
      event.preventDefault();
      if (event.type !== 'keydown' || !running()) return;
      endProgram();
    }
  }
  window.addEventListener('keydown', filterKey, true);
  window.addEventListener('keyup', filterKey, true);
  window.addEventListener('keypress', filterKey, true);

  function endProgram() {
    try {
      program._vl_escape();
    } catch (thrown) {
      if (!thrown || thrown.name !== 'ExitStatus') throw thrown;
    }
  }

  function showFocus() {
    if (document.body.classList.contains('touch')) {
      focusLine.textContent = 'Tap the picture to fire, drag on it to turn and move the camera. ' +
        'With a keyboard, Escape ends the demo.';
      return;
    }
    focusLine.textContent = document.activeElement === canvas
      ? 'The picture has the keys (H lists them); Tab moves on. Escape ends the demo.'
      : 'Click the picture (or Tab to it) to steer it with the keys. Escape ends the demo.';
  }
  onCanvas('focus', showFocus);
  onCanvas('blur', showFocus);

  function call(name) { if (running()) program[name](); }
  onCanvas('mouseleave', function () { call('_vl_pointer_left'); });
  // Keys let go after the canvas lost the focus never reach it: held input
  // goes with the focus, as with the pointer.
  onCanvas('blur', function () { call('_vl_pointer_left'); });
  onCanvas('mouseenter', function () { call('_vl_pointer_entered'); });
  window.addEventListener('blur', function () { call('_vl_pointer_left'); });
  document.addEventListener('visibilitychange', function () {
    call(document.hidden ? '_vl_page_hidden' : '_vl_page_shown');
  });

  // ---- Full screen: the stage fills the screen and the canvas its stage.
  function goFullScreen() {
    var request = stage.requestFullscreen || stage.webkitRequestFullscreen;
    if (request) {
      var asked = request.call(stage);
      if (asked && asked.catch) asked.catch(function () {});
    }
    canvas.focus();
  }
  document.addEventListener('fullscreenchange', function () { if (running()) fitCanvas(); });
  document.getElementById('fullscreen').addEventListener('click', goFullScreen);
  // The right button fires and follows a shot; no menu over the picture.
  onCanvas('contextmenu', function (event) { event.preventDefault(); });
  onCanvas('mousedown', function () {
    canvas.focus();
    if (fullScreenAsked) {
      fullScreenAsked = false;
      fullScreenTaken = true;
      goFullScreen();
    }
  });

  // ---- The wheel moves the camera over the picture only, and there the
  // page does not scroll; elsewhere the page scrolls as usual (the program
  // stops the toolkit taking it on the whole window).
  onCanvas('wheel', function (event) {
    event.preventDefault();
    if (event.deltaY !== 0 && running()) program._vl_wheel_notch(event.deltaY < 0 ? 1 : 0);
  }, { passive: false });

  // ---- Touch, on the canvas itself and not passive, so the page neither
  // pans nor zooms under a finger. A tap fires (or, with Follow on, fires and
  // follows); a drag holds the arrows: sideways circles the camera, up and
  // down move it forward and back, as far as the finger stays past the dead
  // zone.
  var kLeft = 100, kUp = 101, kRight = 102, kDown = 103;
  var kDeadZone = 16;  // CSS pixels
  var finger = null;
  var follow = false;
  function holdArrow(key, down) {
    if (!finger || finger.held[key] === down) return;
    finger.held[key] = down;
    if (running()) program._vl_special_key_held(key, down ? 1 : 0);
  }
  function letGoArrows() {
    [kLeft, kUp, kRight, kDown].forEach(function (key) { holdArrow(key, false); });
  }
  function touchOf(event) {
    for (var i = 0; i < event.changedTouches.length; i++) {
      if (finger && event.changedTouches[i].identifier === finger.id) return event.changedTouches[i];
    }
    return null;
  }
  onCanvas('touchstart', function (event) {
    event.preventDefault();
    canvas.focus();
    if (finger || !running()) return;
    var t = event.changedTouches[0];
    finger = { id: t.identifier, x: t.clientX, y: t.clientY, dragging: false, held: {} };
  }, { passive: false });
  onCanvas('touchmove', function (event) {
    event.preventDefault();
    var t = touchOf(event);
    if (!t) return;
    var dx = t.clientX - finger.x, dy = t.clientY - finger.y;
    if (!finger.dragging && Math.abs(dx) < kDeadZone && Math.abs(dy) < kDeadZone) return;
    finger.dragging = true;
    holdArrow(kLeft, dx < -kDeadZone);
    holdArrow(kRight, dx > kDeadZone);
    holdArrow(kUp, dy < -kDeadZone);
    holdArrow(kDown, dy > kDeadZone);
  }, { passive: false });
  function touchEnded(event) {
    event.preventDefault();
    var t = touchOf(event);
    if (!t) return;
    letGoArrows();
    if (!finger.dragging && event.type === 'touchend' && running()) {
      var box = canvas.getBoundingClientRect();
      var x = Math.round((t.clientX - box.left) * canvas.width / box.width);
      var y = Math.round((t.clientY - box.top) * canvas.height / box.height);
      program._vl_tap(x, y, follow ? 1 : 0);
      setFollow(false);
    }
    finger = null;
  }
  onCanvas('touchend', touchEnded, { passive: false });
  onCanvas('touchcancel', touchEnded, { passive: false });
  function setFollow(on) {
    follow = on;
    followButton.setAttribute('aria-pressed', on ? 'true' : 'false');
  }
  followButton.addEventListener('click', function () { setFollow(!follow); });

  if ('ontouchstart' in window || navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches) {
    document.body.classList.add('touch');
  }

  // ---- Buttons for keys: letters and function keys (some a browser keeps
  // for itself). The keys stay with the canvas afterwards on a desktop.
  function pressFromButton(button) {
    if (!running()) return;
    if (button.dataset.special) program._vl_special_key(Number(button.dataset.special));
    if (button.dataset.char) program._vl_key(button.dataset.char.charCodeAt(0));
    if (button.dataset.timeline) program._vl_timeline_end(button.dataset.timeline === 'end' ? 1 : 0);
    if (!document.body.classList.contains('touch')) canvas.focus();
  }
  document.addEventListener('click', function (event) {
    var button = event.target.closest && event.target.closest('button[data-special], button[data-char], button[data-timeline]');
    if (button && !button.disabled) pressFromButton(button);
  });

  // The key list and the function-key buttons come from the program's help
  // panel, so they name whatever keys it has: "F5 / F6  automatic fire /
  // throw mode" gives the buttons "F5 automatic fire" and "F6 throw mode".
  function showKeys() {
    var lines = program.UTF8ToString(program._vl_key_lines()).replace(/\n$/, '').split('\n');
    keyList.textContent = lines.join('\n');
    var row = document.getElementById('function-keys');
    Array.prototype.forEach.call(row.querySelectorAll('button[data-special]'), function (b) { b.remove(); });
    lines.forEach(function (line) {
      var match = /^(F\d+(?: \/ F\d+)*)\s+(.*)$/.exec(line);
      if (!match) return;
      var keys = match[1].split(' / ');
      var actions = match[2].split(' / ');
      keys.forEach(function (key, i) {
        var button = document.createElement('button');
        button.type = 'button';
        button.dataset.special = key.slice(1);
        button.textContent = key + ' ' + (actions.length === keys.length ? actions[i] : match[2]);
        row.appendChild(button);
      });
    });
  }

  // ---- The program.
  function programOptions(recording) {
    var options = {
      canvas: canvas,
      textOverlay: overlay,
      arguments: [],
      // The cues are decoded from the packed files when loaded, not beforehand.
      noAudioDecoding: true,
      setStatus: function (text) {
        var parts = /\((\d+)\/(\d+)\)/.exec(text || '');
        if (parts && Number(parts[2]) > 0) {
          showLoading('Loading the textures and sounds: ' +
                      Math.floor(100 * Number(parts[1]) / Number(parts[2])) + ' %');
        }
      },
      preRun: recording ? [function () {
        options.FS_createDataFile('/', 'recording.vlr', recording.bytes, true, false, false);
      }] : [],
      onFullScreenAsked: function () { if (!fullScreenTaken) fullScreenAsked = true; },
      onReady: function () {
        started = true;
        showLoading('Starting ...');
        fitCanvas();
        showKeys();
        setControlsEnabled(true);
      },
      onFirstFrame: function () {
        firstFrameAt = performance.now();
        showLoading('');
      },
      onProgramEnded: function () {
        ended = true;
        window.vennaloft.ended = true;
        setControlsEnabled(false);
        say('Ended (Escape).', true);
      },
      onAbort: function (what) {
        if (message.style.display === 'flex') return;  // the first reason is the one to tell
        var text = String(what || '').replace(/\s*Build with -s ASSERTIONS=1 for more info\.?/, '')
          .replace(/^RuntimeError: /, '').replace(/^Aborted\((.*)\)\.?$/, '$1');
        if (/wasm|WebAssembly|CompileError|LinkError|magic/i.test(text) && !started) {
          fail('The program (vennaloft.wasm) is missing or damaged (' + text +
               '). Serve the whole build/web folder and reload.', 'vennaloft.wasm could not be loaded');
        } else if (!ended) {
          fail('Vennaloft stopped: ' + text, 'the program stopped: ' + text);
        }
      },
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
    return options;
  }

  function showReplay(text) { replayLine.textContent = text; }

  // Nothing starts with a recording that cannot be had or trusted, as on the desktop.
  function refuseAtStart(name, reason) {
    showReplay('cannot replay ' + name + ': ' + reason);
    fail('The recording ' + name + ' cannot be replayed: ' + reason +
         '. Drop another recording on the page, or leave replay out of the address.', 'the recording was refused');
    ended = true;
    window.vennaloft.ended = true;
  }

  // A failed download of the textures and sounds surfaces as an uncaught
  // error from the loader; say so rather than leave the canvas blank.
  window.addEventListener('error', function (event) {
    var text = String(event.message || event.error || '');
    if (/vennaloft\.data|NetworkError|Not Found|File not found/i.test(text)) {
      fail('The textures and sounds (vennaloft.data) could not be loaded: ' + text +
           '. Serve the whole build/web folder, vennaloft.data included.', 'vennaloft.data could not be loaded');
    } else if (/vennaloft\.js/.test(event.filename || '') && !started) {
      fail('Vennaloft stopped: ' + text, 'the program stopped while loading');
    } else if (running() && /vennaloft\.js/.test(event.filename || '')) {
      fail('Vennaloft stopped: ' + text, 'the program stopped');
    }
  });

  var factoryLoaded = null;
  function loadFactory() {
    if (!factoryLoaded) {
      factoryLoaded = new Promise(function (resolve, reject) {
        var script = document.createElement('script');
        script.src = 'vennaloft.js';
        script.onload = function () { resolve(window.createVennaloft); };
        script.onerror = function () { reject(new Error('vennaloft.js could not be loaded')); };
        document.body.appendChild(script);
      });
    }
    return factoryLoaded;
  }

  function loadProgram(recording) {
    lastRecording = recording;
    var options = programOptions(recording);
    if (recording) {
      replayName = recording.name;
      options.arguments.push('-replay', '/recording.vlr');
    }
    program = options;
    showLoading('Loading the program ...');
    loadFactory().then(function (create) {
      // The instance is `options` itself, filled in as it loads; the promise
      // only reports a start that failed, which onAbort has already shown.
      create(options).catch(function () {});
    }, function (error) {
      fail('The program (vennaloft.js) could not be loaded: ' + error.message +
           '. Serve the whole build/web folder.', 'vennaloft.js could not be loaded');
    });
  }

  // Start again after Escape: a fresh instance on fresh canvases, so nothing
  // of the ended program (its GL context, its timers) reaches the new one.
  restartButton.addEventListener('click', function () {
    var freshCanvas = canvas.cloneNode(false);
    var freshOverlay = overlay.cloneNode(false);
    stage.replaceChild(freshCanvas, canvas);
    stage.replaceChild(freshOverlay, overlay);
    canvas = freshCanvas;
    overlay = freshOverlay;
    rewireCanvas();
    message.style.display = 'none';
    started = false;
    ended = false;
    firstFrameAt = null;
    diverged = null;
    notRunning = 'the program is still loading';
    window.vennaloft.ended = false;
    loadProgram(lastRecording);
    canvas.focus();
  });

  function rewireCanvas() {
    canvasListeners.forEach(function (l) { canvas.addEventListener(l.type, l.listener, l.options); });
  }

  // ---- A dropped recording is read by the running program's reader first:
  // a file it refuses leaves the demo as it is. One it accepts goes to a
  // fresh start of the page (through sessionStorage, as text of byte values),
  // which lays the scene out from the file's options exactly as the desktop
  // does for -replay; nothing of the demo that ran can leak into the replay.
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
      if (!running()) {
        replayAfterReload(file.name, bytes);
        return;
      }
      program.FS_createDataFile('/', 'dropped.vlr', bytes, true, false, false);
      checkingDrop = file.name;
      var accepted = program._vl_check_dropped_replay();
      checkingDrop = null;
      program.FS_unlink('/dropped.vlr');
      if (accepted) replayAfterReload(file.name, bytes);
    });
  });

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

  // Offline after one visit: the service worker keeps the last copy of each file.
  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('service-worker.js').catch(function () {});
  }

  canvas.focus();
  showFocus();
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
